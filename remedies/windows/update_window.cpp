#include "remedies/windows/update_window.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_update.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/window_parts.h"

namespace fs = std::filesystem;

namespace remedies {

fs::path UpdateWindow::AskForFolder(QWidget* parent) {
    const QString dir = QFileDialog::getExistingDirectory(parent, "OpzioneH");
    return dir.isEmpty() ? fs::path() : fs::path(dir.toStdString());
}

namespace {

std::string Shown(const fs::path& p) { return rt::Utf8ToCp1252(p.string()); }

// The pointer beside "Kies welke je wilt installeren".
QPixmap PointerPicture() {
    QPixmap pm(40, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(2, 8);
    arrow.lineTo(24, 8);
    arrow.lineTo(24, 2);
    arrow.lineTo(38, 12);
    arrow.lineTo(24, 22);
    arrow.lineTo(24, 16);
    arrow.lineTo(2, 16);
    arrow.closeSubpath();
    p.fillPath(arrow, QColor(0, 0, 160));
    return pm;
}

}  // namespace

UpdateWindow::UpdateWindow(FolderChooser chooseFolder) : chooseFolder_(std::move(chooseFolder)) {
    setObjectName("FoAggiorna");
    setWindowTitle("UPDARE-STATUS");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(589, 311);
    setFont(WindowFont());
    SetBackground(this, kWindowColour);

    instructionsMemo = FieldMemo(gui::Place(gui::MakeMemo(this, "Memo1", true), {8, 8, 573, 100}));
    SetBackground(instructionsMemo, kSilverColour);

    gui::Place(gui::MakeLabel(this, "LabUltimo", "Laatste update van het programma gemaakt"), {8, 120, 260, 16});
    lastUpdateEdit = gui::Place(gui::MakeReadOnlyEdit(this, "EdUltAgg"), {270, 117, 130, 21});

    // The rows' object names: the place, the date, the install button and its caption.
    const std::tuple<const char*, const char*, const char*, const char*> names[] = {
        {"EdDisp1", "EdNuoAgg1", "BBok1", "Ok1"},
        {"EdDisp2", "EdNuoAgg2", "BBok2", "Ok2"},
        {"EdDisp3", "EdNuoAgg3", "BBok3", "Ok3"}};
    for (int i = 0; i < 3; ++i) {
        const auto& [placeName, dateName, installName, installCaption] = names[i];
        UpdateRow& row = updateRows[static_cast<std::size_t>(i)];
        const int y = 152 + i * 32;
        const std::string n = std::to_string(i + 1);
        gui::Place(gui::MakeLabel(this, ("LabApparato" + n).c_str(), "Op het apparaat"), {8, y + 3, 90, 16});
        row.placeEdit = gui::Place(gui::MakeReadOnlyEdit(this, placeName), {100, y, 170, 21});
        gui::Place(gui::MakeLabel(this, ("LabData" + n).c_str(), "er is eenupdate met datum:"), {278, y + 3, 150, 16});
        row.dateEdit = gui::Place(gui::MakeReadOnlyEdit(this, dateName), {428, y, 105, 21});
        row.installButton =
            gui::Place(gui::MakeClickOnlyButton(this, installName, installCaption), {538, y - 1, 43, 23});
        const int slot = i + 1;
        connect(row.installButton, &QPushButton::clicked, this,
                gui::Guarded([this, slot](bool) { CopyUpdateDisk(slot); }));
    }

    chooseLabel = gui::Place(gui::MakeLabel(this, "Label8", "Kies welke je wilt installeren"), {8, 254, 170, 16});
    pointerImage = gui::Place(gui::MakeLabel(this, "Image1", ""), {180, 250, 40, 24});
    pointerImage->setPixmap(PointerPicture());
    gui::PlaceClickOnlyButtons(this, {{&otherFolderButton, "BBcartella", "Altra cartella...", {230, 276, 150, 27}},
                                      {&backToMenuButton, "BitBtnRitorna", "&Terug naar menu", {431, 276, 150, 27}}});
    connect(otherFolderButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ChooseOtherFolder(); }));
    connect(backToMenuButton, &QPushButton::clicked, this, [this](bool) { accept(); });
}

fs::path UpdateWindow::LocalFolder() const { return fs::absolute(rt::ResolvePath(kUpdateFolderName)); }

void UpdateWindow::Refresh() { ScanUpdateDrives(rt::PathExists(kAutoSetName) ? 0 : 1); }

void UpdateWindow::ShowUpdateSlotsCleared() {
    lastUpdateEdit->clear();
    for (int s = 1; s <= 3; ++s) {
        Row(s).placeEdit->clear();
        Row(s).dateEdit->clear();
        Row(s).installButton->setEnabled(false);
        slotFolders[static_cast<std::size_t>(s - 1)].clear();
    }
}

void UpdateWindow::ScanUpdateDrives(int mode) {
    ShowUpdateSlotsCleared();
    backToMenuButton->setText("&Terug naar menu");
    programFolder = fs::current_path();
    {
        rt::TextFile f;
        f.Assign(mode == 0 ? kUpdateTextAuto : kUpdateTextManual);
        f.Reset();
        std::string text;
        while (!f.Eof()) text += f.ReadLn() + "\r\n";
        f.Close();
        SetMemoText(instructionsMemo, text);
        instructionsMemo->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    }
    SetText(lastUpdateEdit, SetDateIn(LocalFolder()).dateText);
    std::vector<fs::path> roots;
    for (const gui::Volume& v : gui::System().ListVolumes()) roots.emplace_back(v.root);
    bool any = false;
    for (const fs::path& folder : FindUpdateFolders(roots)) any = TakeSlot(folder, false) || any;
    if (!any) gui::ShowMessage("Non \xE8 stato rilevato alcun disco di aggiornamento");
}

// Puts an update folder into the first free slot (or, when asked, into the
// last one when all are taken).
bool UpdateWindow::TakeSlot(const fs::path& folder, bool replaceLast) {
    int slot = 0;
    for (int s = 1; s <= 3 && slot == 0; ++s)
        if (slotFolders[static_cast<std::size_t>(s - 1)].empty()) slot = s;
    if (slot == 0) {
        if (!replaceLast) return false;
        slot = 3;
    }
    slotFolders[static_cast<std::size_t>(slot - 1)] = folder;
    // The volume (or chosen folder) by its name; the whole path in the tip.
    const fs::path holder = folder.parent_path();
    SetText(Row(slot).placeEdit, Shown(holder.filename().empty() ? holder : holder.filename()));
    Row(slot).placeEdit->setToolTip(QString::fromStdString(folder.string()));
    const DatabaseSetDate there = SetDateIn(folder);
    const DatabaseSetDate here = SetDateIn(LocalFolder());
    SetText(Row(slot).dateEdit, there.dateText);
    SetBackground(Row(slot).dateEdit, there.newestAge >= here.newestAge ? kAquaColour : kRedColour);
    Row(slot).installButton->setEnabled(true);
    return true;
}

void UpdateWindow::ChooseOtherFolder() {
    const fs::path chosen = chooseFolder_ ? chooseFolder_(this) : fs::path();
    if (chosen.empty()) return;
    const auto folder = UpdateFolderIn(chosen);
    if (!folder) {
        gui::ShowMessage("Nella cartella scelta non c'\xE8 una cartella OpzioneH");
        return;
    }
    TakeSlot(*folder, true);
}

void UpdateWindow::CopyUpdateDisk(int slot) {
    const fs::path source = slotFolders[static_cast<std::size_t>(slot - 1)];
    if (source.empty()) return;
    fs::current_path(programFolder);
    const fs::path local = LocalFolder();
    std::error_code ec;
    if (fs::equivalent(source, local, ec)) {
        gui::ShowMessage("La cartella scelta \xE8 quella del programma: non c'\xE8 nulla da aggiornare");
        return;
    }
    const DatabaseSetDate there = SetDateIn(source);
    const DatabaseSetDate here = SetDateIn(local);
    if (there.newestAge < here.newestAge) {
        const std::string question = "Le banche dati di questo aggiornamento (" + there.dateText +
                                     ") sono pi\xF9 vecchie di quelle installate (" + here.dateText +
                                     ").\r\nInstallarle comunque?";
        if (gui::ShowMessage(question, "", gui::Buttons::YesNo) != gui::kAnswerYes) return;
    }
    backToMenuButton->setText("Attendere...");
    repaint();
    UpdateOutcome outcome;
    std::string notes;  // what the user is told after an update that was made
    {
        WaitCursor wait;
        // The lists are rebuilt from the databases installed.
        outcome = InstallUpdateWithLists(source, notes);
    }
    SetText(lastUpdateEdit, SetDateIn(local).dateText);
    backToMenuButton->setText("Ritorna al Menu");
    if (!outcome.ok) {
        gui::ShowMessage(outcome.message + "\r\nLe banche dati installate sono rimaste come erano.");
        return;
    }
    notes += KeptCopiesMessage(outcome, local);
    if (!notes.empty()) gui::ShowMessage(notes);
}

}  // namespace remedies
