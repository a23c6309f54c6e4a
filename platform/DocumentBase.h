#pragma once
// The document side of the single-document framework: title, path, modified flag and the
// new/open/save steps that the application's File commands drive. The program's document
// derives from it; the Qt frame layer asks it whether to save before it is replaced.
#include "platform/Archive.h"

#include <filesystem>
#include <string>

class DocumentBase {
public:
    virtual ~DocumentBase() = default;

    // File > New: the document empties itself; false stops the command.
    virtual bool OnNewDocument();
    // File > Open: reads the file through Serialize; false (error set) leaves the document
    // as it was before the call.
    virtual bool OnOpenDocument(const std::filesystem::path& path, std::string* error = nullptr);
    // File > Save: writes the file atomically through Serialize; false (error set) when it
    // could not be written, in which case the old file is untouched.
    virtual bool OnSaveDocument(const std::filesystem::path& path, std::string* error = nullptr);
    virtual void OnCloseDocument();
    // Releases the contents (before a new or an opened document).
    virtual void DeleteContents() {}
    virtual void Serialize(Archive& ar) = 0;
    // Classes an opened file may contain.
    virtual const ClassRegistry& GetClassRegistry() const = 0;

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::filesystem::path& GetPathName() const { return path_; }
    // Sets the path and, unless keepTitle, the title from the file name.
    void SetPathName(const std::filesystem::path& path, bool keepTitle = false);

protected:
    // Called when opening, after Serialize succeeded, so a document can commit what it read.
    virtual void OnLoaded() {}

private:
    bool modified_ = false;
    std::string title_;
    std::filesystem::path path_;
};
