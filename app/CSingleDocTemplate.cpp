#include "app/CSingleDocTemplate.h"

#include "app/Trace.h"
#include "app/Translation.h"
#include "platform/Services.h"

std::string FormatString1(std::string text, const std::string& argument)
{
    if (const auto pos = text.find("%1"); pos != std::string::npos)
        text.replace(pos, 2, argument);
    return text;
}

CSingleDocTemplate::CSingleDocTemplate(Factory factory) : factory_(std::move(factory)) {}

DocumentBase& CSingleDocTemplate::GetDocument()
{
    if (!document_) {
        document_ = factory_();
        SetUntitled(*document_);
    }
    return *document_;
}

std::string CSingleDocTemplate::UntitledName() const { return GetTranslatedString(kUntitledString); }

void CSingleDocTemplate::SetUntitled(DocumentBase& doc)
{
    untitledGiven_ = UntitledName();
    doc.SetTitle(untitledGiven_);
}

void CSingleDocTemplate::NotifyChanged()
{
    if (changed_)
        changed_();
}

bool CSingleDocTemplate::SaveModified()
{
    DocumentBase& doc = GetDocument();
    if (!doc.IsModified())
        return true;
    std::string name = doc.GetPathName().empty() ? doc.GetTitle() : doc.GetPathName().filename().string();
    if (name.empty())
        name = UntitledName();
    const int answer = GetServices().MessageBox(
        FormatString1(GetTranslatedString(kAskToSaveString), name), "", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        return DoSave(doc.GetPathName().empty());
    return true;
}

bool CSingleDocTemplate::OnFileNew()
{
    DocumentBase& doc = GetDocument();
    if (!SaveModified())
        return false;
    SetUntitled(doc);
    if (!doc.OnNewDocument()) {
        Trace("[ERROR] The new document could not be made.");
        NotifyChanged();
        return false;
    }
    NotifyChanged();
    return true;
}

bool CSingleDocTemplate::OnFileOpen()
{
    FileDialogRequest request;
    request.filter = GetTranslatedString(kFileFilterString);
    request.defaultExtension = kDefaultExtension;
    if (HasDocument() && !document_->GetPathName().empty())
        request.initialFolder = document_->GetPathName().parent_path();
    const auto file = GetServices().GetOpenFileName(request);
    if (!file)
        return false;
    return OpenDocumentFile(*file);
}

bool CSingleDocTemplate::OpenDocumentFile(const std::filesystem::path& file)
{
    return Open(file) == OpenResult::Opened;
}

CSingleDocTemplate::OpenResult CSingleDocTemplate::Open(const std::filesystem::path& file)
{
    DocumentBase& doc = GetDocument();
    std::error_code ec;
    if (!doc.GetPathName().empty() && std::filesystem::equivalent(doc.GetPathName(), file, ec)) {
        recent_.Add(file);
        return OpenResult::Opened;
    }
    if (!SaveModified())
        return OpenResult::Cancelled;
    std::string error;
    if (!doc.OnOpenDocument(file, &error)) {
        Trace("[ERROR] Document not opened (%s): %s", file.string().c_str(), error.c_str());
        GetServices().MessageBox(FormatString1(GetTranslatedString(kOpenFailedString), file.string()), "",
                                 MB_OK | MB_ICONEXCLAMATION);
        return OpenResult::Failed;
    }
    recent_.Add(doc.GetPathName());
    NotifyChanged();
    return OpenResult::Opened;
}

bool CSingleDocTemplate::OnFileSave() { return DoSave(GetDocument().GetPathName().empty()); }

bool CSingleDocTemplate::OnFileSaveAs() { return DoSave(true); }

bool CSingleDocTemplate::DoSave(bool chooseName)
{
    DocumentBase& doc = GetDocument();
    std::filesystem::path target = doc.GetPathName();
    if (chooseName) {
        FileDialogRequest request;
        request.filter = GetTranslatedString(kFileFilterString);
        request.defaultExtension = kDefaultExtension;
        if (!target.empty()) {
            request.initialFolder = target.parent_path();
            request.initialName = target.filename().string();
        } else {
            request.initialName = doc.GetTitle();
        }
        const auto chosen = GetServices().GetSaveFileName(request);
        if (!chosen)
            return false;
        target = WithDefaultExtension(*chosen, kDefaultExtension);
    }
    std::string error;
    if (!doc.OnSaveDocument(target, &error)) {
        Trace("[ERROR] Document not saved (%s): %s", target.string().c_str(), error.c_str());
        GetServices().MessageBox(WithReason(FormatString1(GetTranslatedString(kSaveFailedString), target.string()), error),
                                 "", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    recent_.Add(doc.GetPathName());
    NotifyChanged();
    return true;
}

void CSingleDocTemplate::CloseDocument()
{
    if (document_)
        document_->OnCloseDocument();
}

std::string CSingleDocTemplate::FrameTitle()
{
    DocumentBase& doc = GetDocument();
    if (doc.GetPathName().empty() && doc.GetTitle() == untitledGiven_)
        SetUntitled(doc);
    return doc.GetTitle() + " - " + kAppTitle;
}

bool CSingleDocTemplate::OpenRecentFile(int index)
{
    if (index < 0 || index >= recent_.GetCount())
        return false;
    const std::filesystem::path file = recent_[index];
    const OpenResult result = Open(file);
    if (result != OpenResult::Failed)
        return result == OpenResult::Opened;
    // Saving the previous document may have moved the entry: remove it by name.
    for (int i = 0; i < recent_.GetCount(); ++i)
        if (recent_[i] == file) {
            recent_.Remove(i);
            break;
        }
    return false;
}
