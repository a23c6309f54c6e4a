#pragma once
// The single-document framework: one document at a time, made by a factory, with the
// File commands' steps (new, open, save, save as, close), the "save changes?" question and
// the recent-file list. Choosers and questions go through the desktop services, so the
// whole of it runs without a display.
#include "app/CRecentFileList.h"
#include "platform/DocumentBase.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class CSingleDocTemplate {
public:
    using Factory = std::function<std::unique_ptr<DocumentBase>()>;

    // Strings of the framework's texts.
    static constexpr int kUntitledString = 57346;      // "Sans titre"
    static constexpr int kFileFilterString = 57350;    // the chooser's filter
    static constexpr int kAskToSaveString = 61442;     // "... %1 ?"
    static constexpr int kOpenFailedString = 61697;
    static constexpr int kSaveFailedString = 61698;
    static constexpr const char* kDefaultExtension = "cds";
    static constexpr const char* kAppTitle = "Horavel";

    explicit CSingleDocTemplate(Factory factory);

    // Made on first use.
    DocumentBase& GetDocument();
    bool HasDocument() const { return document_ != nullptr; }

    // Called after the document was replaced, opened, saved under a name or emptied.
    void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }

    // File > New: the question about unsaved changes, then the document empties itself.
    // False when the user cancelled or the document refused: nothing else may follow then.
    bool OnFileNew();
    // File > Open: the file chooser, then OpenDocumentFile.
    bool OnFileOpen();
    // Opens a file in place of the current document, after the question about unsaved
    // changes; a file that is the current document already is not read again. On failure
    // the user is told and the current document stays.
    bool OpenDocumentFile(const std::filesystem::path& file);
    bool OnFileSave();
    bool OnFileSaveAs();
    // Asks whether to save a modified document: Yes saves (false when that fails), No goes
    // on, Cancel returns false.
    bool SaveModified();
    // The document closes at the end of the program (after SaveModified).
    void CloseDocument();
    // Then it goes (its destructor saves its settings).
    void DestroyDocument() { document_.reset(); }

    // "<title> - Horavel". A document still named "Sans titre" by the framework takes that
    // name in the current language (the language may be chosen after the document is made).
    std::string FrameTitle();

    CRecentFileList& RecentFiles() { return recent_; }
    // Opens entry `index` of the list; an entry whose file cannot be read leaves the list
    // (not one whose opening the user cancelled).
    bool OpenRecentFile(int index);

private:
    enum class OpenResult { Opened, Cancelled, Failed };
    OpenResult Open(const std::filesystem::path& file);
    bool DoSave(bool chooseName);
    std::string UntitledName() const;
    void SetUntitled(DocumentBase& doc);
    void NotifyChanged();

    Factory factory_;
    std::unique_ptr<DocumentBase> document_;
    CRecentFileList recent_;
    std::function<void()> changed_;
    std::string untitledGiven_;  // the untitled name last given to the document
};

// Replaces the first "%1" of the text by the argument.
std::string FormatString1(std::string text, const std::string& argument);
