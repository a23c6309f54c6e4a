#include "platform/DocumentBase.h"

bool DocumentBase::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(false);
    path_.clear();
    return true;
}

bool DocumentBase::OnOpenDocument(const std::filesystem::path& path, std::string* error)
{
    std::string why;
    auto archive = LoadArchiveFile(path, GetClassRegistry(), &why);
    if (!archive) {
        if (error)
            *error = why;
        return false;
    }
    try {
        Serialize(*archive);
    } catch (const ArchiveException& e) {
        if (error)
            *error = e.what();
        return false;
    }
    OnLoaded();
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool DocumentBase::OnSaveDocument(const std::filesystem::path& path, std::string* error)
{
    Archive archive = Archive::ForStoring();
    try {
        Serialize(archive);
    } catch (const ArchiveException& e) {
        if (error)
            *error = e.what();
        return false;
    }
    if (!SaveArchiveFile(archive, path, error))
        return false;
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

void DocumentBase::OnCloseDocument() { DeleteContents(); }

void DocumentBase::SetPathName(const std::filesystem::path& path, bool keepTitle)
{
    path_ = path;
    if (!keepTitle)
        title_ = path.filename().string();
}
