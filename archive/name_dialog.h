#pragma once
// What the recall, delete and change dialogs share: the list of archives, the
// search field with its incremental name search, the window of names over the
// chosen archive's index and the choice of an entry.
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "archive/archive_files.h"
#include "archive/name_window.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QScrollBar;

namespace archive {

struct CurrentChart;

// The place name of a data record: characters 13-40 of its place field,
// leading blanks removed.
std::string StoredPlaceName(const BirthRecord& record);
// The annotation record a data record names (record 0 for "00000") and the
// text number in characters 65-69 of its fourth line.
AnnotationRecord ReadRecordAnnotation(ArchiveFiles& files, const BirthRecord& record, std::string& textNumber);

class ArchiveNameDialog : public QDialog {
    Q_OBJECT
public:
    ArchiveNameDialog(CurrentChart& current, const NameWindowShape& shape, bool wholeEntries, QWidget* parent);

    QListWidget* archiveList = nullptr;
    QLineEdit* chosenArchiveEdit = nullptr;
    QLineEdit* nameSearchEdit = nullptr;
    QListWidget* nameList = nullptr;
    QScrollBar* nameScrollBar = nullptr;

    // The current person's chart and birth data, handed by the window that
    // makes the dialog: the search and the choice write the subject's name.
    CurrentChart& currentChart;

    // State.
    std::string archiveName = kPersonalArchive;
    ArchiveFiles files;
    NameWindow window;
    int chosenPosition = 0;   // index position of the chosen entry
    std::string chosenEntry;  // copy of the chosen entry
    bool chosen = false;

    // Builds the archive list (archives other than "TMPR", with their captions)
    // at the first showing.
    void BuildArchiveList();
    // Opens the archive; false (with the list showing "ARCHIVIO VUOTO" and the
    // search disabled) when it has no entries.
    bool OpenArchive(const std::string& letters, AnnotationFile annotations);
    void CloseArchive();
    void FillNameList();
    void SearchTyped(const QString& text);
    // Chooses list line i: reads its entry, shows it in the search field (aqua).
    void ChooseLine(int line);
    bool SearchFieldValid() const;
    void SetSearchFieldValid(bool valid);
    // The text the search field holds (Windows-1252).
    std::string SearchText() const;
    void SetScrollBar();
    // The text of list line i ("" for no such line).
    std::string LineText(int line) const;
    // Takes the search field's entry as the chosen one: with a valid field and
    // a name, the subject's name and the chosen copy become the entry and its
    // data record number is returned; a red field is emptied.
    std::optional<int> TakeChosenEntry();

protected:
    // A panel holding the search field under its prompt and the window of
    // names with its scroll bar under its hint.
    // The captions of the search panel: the prompt above the search field and
    // the hint above the list of names.
    struct SearchPanelTexts {
        const char* prompt;
        const char* listHint;
    };
    QGroupBox* BuildSearchPanel(const char* objectName, SearchPanelTexts texts);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Hooks of the dialogs.
    virtual void ArchiveChanged(const std::string&) {}
    virtual void EntryChosen() {}
    virtual void EnterInList(int line) = 0;
    virtual void EnterInSearch() = 0;
    virtual void SearchClicked() {}
    virtual void ListKeyPressed() {}

    bool whole_;
    bool archiveListBuilt_ = false;
    bool syncing_ = false;
};

}  // namespace archive
