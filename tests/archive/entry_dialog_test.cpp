// Entering a new person end to end: the entry dialog, the place table and its
// calendar, the store dialog, and the archive files afterwards.
#include <gtest/gtest.h>

#include <cstring>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "archive/input_dialog.h"
#include "archive/store_dialog.h"
#include "dialog_test_support.h"
#include "platform/gui/field_state.h"
#include "platform/gui/idle.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "tests/common/keyboard.h"

using namespace archive;
using testing_support::ReadBytes;

namespace {

struct EntryDialogTest : ::testing::Test {
    testing_support::TempWorkFolder tmp;
    gui::RecordingMessageSink messages;
    InputDialog dialog{testing_support::CurrentChartOfTest()};
    void SetUp() override {
        dialog_test::PrepareFolder();
        gui::SetModalHandler("FormRegKel", [](QDialog* d) {
            auto* store = static_cast<StoreDialog*>(d);
            store->ShowEnteredBirthData();
            store->StoreAndClose();
            return int(gui::kModalOk);
        });
        dialog.StartNewEntry();
    }
    void TearDown() override {
        gui::ClearModalHandlers();
        gui::ClearIdleHandler();
    }
    // What is typed into the fields of a birth.
    struct TypedBirth {
        const char* name;
        const char* day;
        const char* month;
        const char* year;
        const char* hour;
        const char* minute;
    };
    void TypeBirth(const TypedBirth& typed) {
        dialog_test::Type(dialog.nameEdit, typed.name);
        dialog_test::Type(dialog.dayEdit, typed.day);
        dialog_test::Type(dialog.monthEdit, typed.month);
        dialog_test::Type(dialog.yearEdit, typed.year);
        dialog_test::Type(dialog.hourEdit, typed.hour);
        dialog_test::Type(dialog.minuteEdit, typed.minute);
        gui::RunIdleHandler();
    }
    void PickPlace(const char* typed) {
        dialog_test::Type(dialog.placeSearchEdit, typed);
        QTest::keyClick(dialog.placeSearchEdit, Qt::Key_Return);
        gui::RunIdleHandler();
    }
    std::vector<std::string> Files() {
        std::vector<std::string> bytes;
        for (const char* f : {"BASE.ST1", "BASE.ST2", "BASE.ST3", "TMPR.ST1", "TMPR.ST2"})
            bytes.push_back(rt::PathExists(f) ? ReadBytes(rt::ResolvePath(f)) : "");
        return bytes;
    }
};

}  // namespace

TEST_F(EntryDialogTest, TypedPersonIsStoredWithTheWinterCorrectionOfItaly) {
    dialog_test::StorePerson("BASE", "ZANETTI ANNA");
    dialog_test::StorePerson("BASE", "BIANCHI LUCA");
    auto before = dialog_test::IndexEntries("BASE");
    std::size_t dataBefore = rt::ReadAllRecords("BASE.ST2", kBirthRecordSize).size();

    TypeBirth({"ROSSI MARIO", "15", "01", "1960", "12", "30"});
    PickPlace("ROMA");
    EXPECT_EQ(gui::GetFieldState(dialog.placeSearchEdit), gui::FieldState::Valid)
        << dialog.placeSearchEdit->text().toStdString();
    EXPECT_EQ(dialog.placeNameEdit->text().toStdString().substr(0, 4), "ROMA");
    EXPECT_EQ(dialog.calendarEdit->text(), "GREG");
    EXPECT_EQ(dialog.correctionEdit->text(), "-1");  // one hour east of Greenwich
    EXPECT_EQ(dialog.coordinatesEdit->text().left(4), "41N5");
    EXPECT_EQ(dialog.coordinatesEdit->text().mid(5, 5), "-012E");
    ASSERT_TRUE(dialog.goOnButton->isEnabled());

    dialog.ConfirmAndStore();
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;

    auto after = dialog_test::IndexEntries("BASE");
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_TRUE(dialog_test::InOrder(after));
    EXPECT_EQ(after[2].substr(0, 11), "ROSSI MARIO");
    EXPECT_EQ(rt::ReadAllRecords("BASE.ST2", kBirthRecordSize).size(), dataBefore + 1);
    BirthRecord stored = DecodeBirthRecord(rt::ReadAllRecords("BASE.ST2", kBirthRecordSize).back());
    EXPECT_EQ(stored.dateField, "196001151230-1");
    EXPECT_EQ(stored.calendarField, "GR");
    auto tmpr = dialog_test::IndexEntries("TMPR");
    EXPECT_EQ(tmpr[0].substr(0, 11), "ROSSI MARIO");
    EXPECT_EQ(DecodeBirthRecord(rt::ReadAllRecords("TMPR.ST2", kBirthRecordSize)[0]).dateField, "196001151230-1");
    // No annotations and no text: the hand-offs do not keep the previous person's.
    for (const std::string& line : rt::ReadTextLines("FileDum\\Annotaz.dum")) EXPECT_EQ(line, "");
}

TEST_F(EntryDialogTest, RejectedInputLeavesEveryFileUnchanged) {
    auto files = Files();
    // An impossible time.
    TypeBirth({"VERDI GIUSEPPE", "10", "10", "1913", "25", "00"});
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Data Scorretta"});
    EXPECT_EQ(gui::GetFieldState(dialog.hourEdit), gui::FieldState::Rejected);
    EXPECT_TRUE(dialog.hourEdit->text().isEmpty());

    // An empty name.
    dialog_test::Type(dialog.hourEdit, "20");
    gui::RunIdleHandler();
    PickPlace("ROMA");
    dialog.nameEdit->clear();
    messages.messages.clear();
    dialog.ConfirmAndStore();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"De naam van de Persoon ontbreekt"});
    EXPECT_EQ(gui::GetFieldState(dialog.nameEdit), gui::FieldState::Rejected);

    // Missing coordinates.
    dialog_test::Type(dialog.nameEdit, "VERDI GIUSEPPE");
    dialog.ToggleResultsLock();
    dialog.coordinatesEdit->clear();
    messages.messages.clear();
    dialog.ConfirmAndStore();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Ontbrekende of onjuiste co\xF6rdinaten"});
    EXPECT_EQ(gui::GetFieldState(dialog.coordinatesEdit), gui::FieldState::Rejected);
    EXPECT_EQ(Files(), files);
}

TEST_F(EntryDialogTest, ADayItsMonthDoesNotHaveIsRefusedNotMovedOn) {
    auto files = Files();
    TypeBirth({"VERDI GIUSEPPE", "31", "02", "1990", "12", "00"});
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Data Scorretta"});
    EXPECT_EQ(gui::GetFieldState(dialog.dayEdit), gui::FieldState::Rejected);
    PickPlace("ROMA");
    EXPECT_FALSE(dialog.goOnButton->isEnabled());
    dialog.ConfirmAndStore();
    EXPECT_EQ(Files(), files);
    // 29 February: in a Julian leap year before the reform, not in 1900, in 2000.
    for (auto [year, exists] : {std::pair{"1500", true}, {"1900", false}, {"2000", true}, {"1991", false}}) {
        messages.messages.clear();
        dialog.dayEdit->setText("29");
        dialog.monthEdit->setText("02");
        dialog.yearEdit->setText(year);
        unsigned char ok = 0;
        dialog.ValidateBirthDateTime(ok);
        EXPECT_EQ(ok == 1, exists) << year;
        EXPECT_EQ(messages.messages.empty(), exists) << year;
    }
}

// Typed as a user types, each key to the field that has the focus and the
// idle step after each: the date is checked once the time is whole, no key
// typed after the minutes lands anywhere but where the user meant it, and a
// refused date leaves no earlier result standing.
TEST_F(EntryDialogTest, TheDateIsCheckedWhenTheTimeIsWholeAndNoKeyGoesAstray) {
    auto keys = [&](const char* typed) {
        for (const char* c = typed; *c; ++c) {
            QTest::keyClick(dialog.focusWidget(), *c);
            gui::RunIdleHandler();
        }
    };
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(dialog.focusWidget(), k, modifiers);
        gui::RunIdleHandler();
    };
    keys("verdi giuseppe");
    key(Qt::Key_Return);
    keys("31021990120");
    EXPECT_TRUE(messages.messages.empty()) << "checked before the minutes were whole";
    keys("0");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Data Scorretta"});
    EXPECT_EQ(dialog.minuteEdit->text().toStdString(), "00");
    EXPECT_EQ(dialog.dayEdit->text().toStdString(), "");
    EXPECT_EQ(gui::GetFieldState(dialog.dayEdit), gui::FieldState::Rejected);
    EXPECT_EQ(dialog.focusWidget(), dialog.dayEdit);
    EXPECT_EQ(dialog.placeSearchEdit->text().toStdString(), "");

    // The day mended, then down to the minutes and on to the place.
    keys("28");
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    ASSERT_EQ(dialog.focusWidget(), dialog.placeSearchEdit);
    keys("ROMA");
    key(Qt::Key_Return);
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(dialog.nameEdit->text().toStdString(), "VERDI GIUSEPPE");
    EXPECT_EQ((dialog.dayEdit->text() + "/" + dialog.monthEdit->text() + "/" + dialog.yearEdit->text() + " " +
               dialog.hourEdit->text() + ":" + dialog.minuteEdit->text())
                  .toStdString(),
              "28/02/1990 12:00");
    EXPECT_EQ(dialog.placeSearchEdit->text().toStdString(), "ROMA");
    EXPECT_TRUE(dialog.fullDateEdit->text().startsWith("28/02/1990")) << dialog.fullDateEdit->text().toStdString();
    EXPECT_EQ(dialog.placeNameEdit->text().toStdString(), "ROMA");
    EXPECT_TRUE(dialog.goOnButton->isEnabled());

    // The day typed wrong again: the result of 28 February goes with it.
    dialog.dayEdit->setFocus();
    key(Qt::Key_A, Qt::ControlModifier);
    keys("31");
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Data Scorretta", "Data Scorretta"}));
    EXPECT_EQ(dialog.fullDateEdit->text().toStdString(), "");
    EXPECT_EQ(dialog.placeNameEdit->text().toStdString(), "");
    EXPECT_EQ(dialog.correctionEdit->text().toStdString(), "");
    EXPECT_FALSE(dialog.goOnButton->isEnabled());
}

// Keys that type no character never enter a date field or the place box:
// Ctrl with a full stop and Alt with a slash are no separators, Alt with a
// digit is no digit and Alt with a letter no letter of a place; Ctrl+A and
// Delete empty a field as in any box, and the focus stays where it is.
TEST_F(EntryDialogTest, KeysThatTypeNoCharacterEnterNoDateFieldNorThePlaceBox) {
    using testing_support::PressKey;
    auto keys = [&](const char* typed) {
        for (const char* c = typed; *c; ++c) {
            QTest::keyClick(dialog.focusWidget(), *c);
            gui::RunIdleHandler();
        }
    };
    auto untyped = [&](QWidget* box) {
        PressKey(box, Qt::Key_Period, Qt::ControlModifier);
        PressKey(box, Qt::Key_Slash, Qt::AltModifier);
        PressKey(box, Qt::Key_5, Qt::AltModifier);
        PressKey(box, Qt::Key_R, Qt::AltModifier);
        PressKey(box, Qt::Key_F2);
        gui::RunIdleHandler();
    };
    keys("verdi giuseppe");
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    keys("3");
    untyped(dialog.dayEdit);
    EXPECT_EQ(dialog.dayEdit->text().toStdString(), "3");
    EXPECT_EQ(dialog.focusWidget(), dialog.dayEdit);
    EXPECT_EQ(dialog.monthEdit->text().toStdString(), "");
    PressKey(dialog.dayEdit, Qt::Key_A, Qt::ControlModifier);
    PressKey(dialog.dayEdit, Qt::Key_Delete);
    EXPECT_EQ(dialog.dayEdit->text().toStdString(), "");
    EXPECT_EQ(dialog.focusWidget(), dialog.dayEdit);
    keys("28/02/1990 12:0");
    untyped(dialog.minuteEdit);
    EXPECT_EQ(dialog.minuteEdit->text().toStdString(), "0");
    EXPECT_EQ(dialog.focusWidget(), dialog.minuteEdit);
    keys("0");
    ASSERT_EQ(dialog.focusWidget(), dialog.placeSearchEdit);
    keys("ROM");
    untyped(dialog.placeSearchEdit);
    EXPECT_EQ(dialog.placeSearchEdit->text().toStdString(), "ROM");
    PressKey(dialog.placeSearchEdit, Qt::Key_A, Qt::ControlModifier);
    PressKey(dialog.placeSearchEdit, Qt::Key_Delete);
    EXPECT_EQ(dialog.placeSearchEdit->text().toStdString(), "");
    keys("ROMA");
    QTest::keyClick(dialog.placeSearchEdit, Qt::Key_Return);
    gui::RunIdleHandler();
    EXPECT_EQ(dialog.placeNameEdit->text().trimmed().toStdString(), "ROMA");
    EXPECT_TRUE(dialog.fullDateEdit->text().startsWith("28/02/1990")) << dialog.fullDateEdit->text().toStdString();
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
}

// A date typed with separators, key by key as a user types it: each
// separator ends its field (or is dropped where the field before moved on by
// itself), so the parts land in their fields; an impossible date is refused
// once, a real one is stored, and a one-digit day or month counts as its number.
TEST_F(EntryDialogTest, ADateTypedWithSeparatorsLandsInItsFields) {
    auto keys = [&](const char* typed) {
        for (const char* c = typed; *c; ++c) {
            QTest::keyClick(dialog.focusWidget(), *c);
            gui::RunIdleHandler();
        }
    };
    auto clock = [&] {
        return (dialog.dayEdit->text() + "|" + dialog.monthEdit->text() + "|" + dialog.yearEdit->text() + "|" +
                dialog.hourEdit->text() + "|" + dialog.minuteEdit->text())
            .toStdString();
    };
    const auto files = Files();
    keys("verdi giuseppe");
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    keys("31/02/1990 12:0");
    EXPECT_EQ(clock(), "31|02|1990|12|0");
    EXPECT_TRUE(messages.messages.empty());
    keys("0");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Data Scorretta"});
    EXPECT_EQ(clock(), "|02|1990|12|00");  // the day refused
    EXPECT_EQ(dialog.placeSearchEdit->text().toStdString(), "");
    EXPECT_EQ(Files(), files);

    for (const char* typed : {"28/02/1990 12:00", "3.2-1990 9:5 "}) {
        SCOPED_TRACE(typed);
        messages.messages.clear();
        dialog.StartNewEntry();  // the dialog opened again
        keys("verdi giuseppe");
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        keys(typed);
        ASSERT_EQ(dialog.focusWidget(), dialog.placeSearchEdit);
        keys("ROMA");
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        gui::RunIdleHandler();
        EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
        ASSERT_TRUE(dialog.goOnButton->isEnabled());
        dialog.goOnButton->click();
        EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
    }
    const auto stored = rt::ReadAllRecords("BASE.ST2", kBirthRecordSize);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(DecodeBirthRecord(stored[1]).dateField, "199002281200-1");
    EXPECT_EQ(DecodeBirthRecord(stored[2]).dateField, "199002030905-1");
}

// Text pasted into the entry and store dialogs that holds characters the
// archive files have no code for is refused, naming them, and kept for the
// user to mend; nothing is stored with "?" in their place, and the letters
// Windows-1252 has ("\xC9", "\x80") are stored as they are.
TEST_F(EntryDialogTest, CharactersTheArchiveCannotHoldAreRefusedNotStoredAsQuestionMarks) {
    auto paste = [](QLineEdit* e, const char* utf8) {
        QApplication::clipboard()->setText(QString::fromUtf8(utf8));
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    };
    const auto files = Files();
    paste(dialog.nameEdit, "EMOJI \U0001F600 T\u00C9ST \u20AC");
    TypeBirth({"", "15", "01", "1960", "12", "30"});
    PickPlace("ROMA");
    ASSERT_TRUE(dialog.goOnButton->isEnabled());
    dialog.goOnButton->click();
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Il nome contiene caratteri che l'archivio non pu\xF2 registrare "
                                       "(U+1F600): toglierli o scriverli con altre lettere. Nessun "
                                       "dato registrato."});
    EXPECT_EQ(dialog.nameEdit->text(), QString::fromUtf8("EMOJI \U0001F600 T\u00C9ST \u20AC"));
    EXPECT_EQ(dialog.focusWidget(), dialog.nameEdit);
    EXPECT_EQ(Files(), files);

    // The name mended; in the store dialog an annotation line with a tick.
    std::vector<std::string> afterRefusedNote;
    gui::SetModalHandler("FormRegKel", [&](QDialog* d) {
        auto* store = static_cast<StoreDialog*>(d);
        store->ShowEnteredBirthData();
        paste(store->annotationEdits[1], "VISTA \u2713");
        store->storeButton->click();
        afterRefusedNote = Files();
        EXPECT_EQ(store->focusWidget(), store->annotationEdits[1]);
        paste(store->annotationEdits[1], "VISTA");
        store->storeButton->click();
        return int(gui::kModalOk);
    });
    paste(dialog.nameEdit, "EMOJI T\u00C9ST \u20AC");
    dialog.goOnButton->click();
    EXPECT_EQ(afterRefusedNote, files);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Il nome contiene caratteri che l'archivio non pu\xF2 registrare (U+1F600): "
                                        "toglierli o scriverli con altre lettere. Nessun dato registrato.",
                                        "Un'annotazione contiene caratteri che l'archivio non pu\xF2 registrare "
                                        "(U+2713): toglierli o scriverli con altre lettere. Nessun dato registrato."}));
    const auto entries = dialog_test::IndexEntries("BASE");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(IndexEntryName(entries[1]), std::string("EMOJI T\xC9ST \x80").append(26, ' '));
    EXPECT_EQ(IndexEntryName(dialog_test::IndexEntries("TMPR")[0]), IndexEntryName(entries[1]));
    const BirthRecord stored = DecodeBirthRecord(rt::ReadAllRecords("BASE.ST2", kBirthRecordSize).back());
    const int note = std::atoi(stored.annotationNumber.c_str());
    ASSERT_GT(note, 0);
    EXPECT_EQ(DecodeAnnotationRecord(rt::ReadAllRecords("BASE.ST3", kAnnotationRecordSize)[note]).lines[1], "VISTA");
}

TEST_F(EntryDialogTest, NowFillsTheClockAndEnterNeedsADate) {
    rt::SetClock([] { return rt::LocalDateTime{2024, 3, 3, 9, 5, 0, 0}; });
    dialog.FillInNow();
    rt::SetClock(nullptr);
    EXPECT_EQ(dialog.dayEdit->text(), "03");
    EXPECT_EQ(dialog.monthEdit->text(), "03");
    EXPECT_EQ(dialog.yearEdit->text(), "2024");
    EXPECT_EQ(dialog.hourEdit->text(), "09");
    EXPECT_EQ(dialog.minuteEdit->text(), "05");
    dialog.minuteEdit->clear();
    PickPlace("ROMA");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Voer geboortedatum in"});
}

// A town typed whole is the one Enter takes, also when longer names begin with
// it, and the one the window highlights before Enter; in both tables, and for
// the first and the last place of a table. A town only begun is the first
// whose name begins with the letters.
TEST_F(EntryDialogTest, ATownTypedWholeIsTheOneEnterTakes) {
    TypeBirth({"ROSSI MARIO", "15", "01", "1960", "12", "30"});
    struct Case {
        const char* typed;
        const char* name;
        const char* coordinates;
        const char* state;
    };
    auto pick = [&](const Case& c) {
        SCOPED_TRACE(c.typed);
        QTest::mouseClick(dialog.placeSearchEdit, Qt::LeftButton);  // a new search
        dialog_test::Type(dialog.placeSearchEdit, c.typed);
        ASSERT_NE(dialog.placeList->currentItem(), nullptr);
        const std::string highlighted = gui::FromQt(dialog.placeList->currentItem()->text());
        const std::string name = gui::FromQt(QString::fromUtf8(c.name));  // as the list holds it
        EXPECT_EQ(highlighted.substr(0, name.size() + 1), name + " ");
        QTest::keyClick(dialog.placeSearchEdit, Qt::Key_Return);
        gui::RunIdleHandler();
        EXPECT_EQ(gui::GetFieldState(dialog.placeSearchEdit), gui::FieldState::Valid);
        EXPECT_EQ(dialog.placeNameEdit->text().trimmed().toStdString(), c.name);
        EXPECT_EQ(dialog.coordinatesEdit->text().toStdString(), c.coordinates);
        EXPECT_EQ(dialog.nationalityEdit->text().toStdString(), c.state);
    };
    for (const Case& c : {Case{"TORINO", "TORINO", "45N04-007E41", "ITALIA (TO)"},
                          Case{"torino di sangro", "TORINO DI SANGRO", "42N11-014E33", "ITALIA (CH)"},
                          Case{"BARI", "BARI", "41N07-016E52", "ITALIA (BA)"},
                          Case{"BARI SARDO", "BARI SARDO", "39N50-009E39", "ITALIA (NU)"},
                          Case{"ABANO TERME", "ABANO TERME", "45N21-011E47", "ITALIA (PD)"},  // the first place
                          Case{"ZUNGRI", "ZUNGRI", "38N39-015E59", "ITALIA (VV)"}})           // the last place
        pick(c);
    dialog.foreignPlacesButton->click();
    for (const Case& c :
         {Case{"Alice", "Alice", "27N45-098W04", "STATI UNITI"},
          Case{"alice Springs", "Alice Springs", "23S42-133E53", "AUSTRALIA"},
          Case{"Adelaide", "Adelaide", "34S56-138E36", "AUSTRALIA"},
          Case{"Troms", "Troms\u00f8", "69N39-018E57", "NORVEGIA"}})  // begun, with no slashed o to type
        pick(c);
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
}

// The store dialog shows the zone the chart is computed with: local mean time
// is kept to two decimals of an hour, and the dialog says so beside the zone.
// Its Julian day is that of the moment the chart is computed for, in
// universal time.
TEST_F(EntryDialogTest, TheStoreDialogShowsTheZoneTheChartIsComputedWith) {
    struct Seen {
        std::string gmt, note, jd;
        bool gmtReadOnly = false;
    } seen;
    gui::SetModalHandler("FormRegKel", [&seen](QDialog* d) {
        auto* store = static_cast<StoreDialog*>(d);
        store->ShowEnteredBirthData();
        seen.gmt = gui::FromQt(store->zoneEdit->text());
        seen.note = gui::FromQt(store->zoneNoteLabel->text());
        seen.gmtReadOnly = store->zoneEdit->isReadOnly();
        seen.jd = gui::FromQt(store->julianDayEdit->text());
        store->storeButton->click();
        return int(gui::kModalOk);
    });
    auto storedZone = [] {
        return DecodeBirthRecord(rt::ReadAllRecords("TMPR.ST2", kBirthRecordSize)[0]).dateField.substr(12);
    };

    TypeBirth({"ROSSI MARIO", "15", "01", "1960", "12", "30"});
    PickPlace("TORINO");
    dialog.lockButton->click();        // the results open for editing
    dialog.localMeanTimeBox->click();  // local mean time: 7 degrees 41 minutes east
    gui::RunIdleHandler();
    EXPECT_EQ(dialog.correctionEdit->text(), "-0,512222222222222");
    ASSERT_TRUE(dialog.goOnButton->isEnabled());
    dialog.goOnButton->click();
    EXPECT_EQ(seen.gmt, "+0,51");
    EXPECT_EQ(seen.note,
              "De kaart rekent met GMT +0,51 = +0 u 30 min 36 s\n"
              "Ingevoerd was +0 u 30 min 44 s; bewaard wordt tot op 0,01 uur");
    EXPECT_TRUE(seen.gmtReadOnly);
    EXPECT_EQ(seen.jd, "2436948.9995");  // 11:59:24 UT, 0,51 h before the clock's 12:30
    EXPECT_EQ(storedZone(), "-0,51");    // what the note says the chart uses

    // A zone kept whole: the note only names it.
    dialog.StartNewEntry();
    TypeBirth({"BIANCHI LUCA", "15", "07", "1980", "12", "30"});
    PickPlace("ROMA");
    EXPECT_EQ(dialog.correctionEdit->text(), "-2");  // summer time
    dialog.goOnButton->click();
    EXPECT_EQ(seen.gmt, "+2");
    EXPECT_EQ(seen.note, "De kaart rekent met GMT +2 = +2 u 00 min 00 s");
    EXPECT_EQ(seen.jd, "2444435.9375");  // 10:30 UT
    EXPECT_EQ(storedZone(), "-2");
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
}

TEST_F(EntryDialogTest, PlaceWindowNeverShowsTheHeader) {
    ASSERT_GT(dialog.table.Count(), 7);
    dialog.window.SetPosition(1);
    dialog.FillPlaceList();
    ASSERT_EQ(dialog.placeList->count(), 7);
    EXPECT_EQ(dialog.window.RecordAtLine(0), 1);
    dialog.window.KeyPageUp();
    dialog.FillPlaceList();
    EXPECT_EQ(dialog.window.RecordAtLine(0), 1);
    dialog.window.SetPosition(dialog.table.Count() + 50);
    dialog.FillPlaceList();
    EXPECT_EQ(dialog.window.RecordAtLine(6), dialog.table.Count());
}

TEST_F(EntryDialogTest, ManualCoordinatesInHours) {
    dialog.OpenManualCoordinates();
    dialog_test::Type(dialog.manual.latDegrees, "45");
    dialog_test::Type(dialog.manual.latLetter, "n");
    dialog_test::Type(dialog.manual.latMinutes, "28");
    dialog_test::Type(dialog.manual.lonHours, "0");
    dialog_test::Type(dialog.manual.lonHourMinutes, "36");
    dialog_test::Type(dialog.manual.lonHourSeconds, "44");
    dialog_test::Type(dialog.manual.lonHourLetter, "e");
    dialog.AcceptManualCoordinates();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dialog.coordinatesEdit->text(), "45N28-009E11");
    EXPECT_EQ(dialog.manual.lonDegrees->text(), "9");
}

TEST_F(EntryDialogTest, ManualCoordinateFieldsMoveOnWhenFull) {
    dialog.OpenManualCoordinates();
    dialog.manual.latDegrees->setFocus();
    // Typed in one go, each key to the field that has the focus then.
    for (char c : std::string("41n54012e29")) QTest::keyClick(dialog.focusWidget(), c);
    EXPECT_EQ(dialog.manual.latDegrees->text(), "41");
    EXPECT_EQ(dialog.manual.latLetter->text(), "N");
    EXPECT_EQ(dialog.manual.latMinutes->text(), "54");
    EXPECT_EQ(dialog.manual.lonDegrees->text(), "012");
    EXPECT_EQ(dialog.manual.lonLetter->text(), "E");
    EXPECT_EQ(dialog.manual.lonMinutes->text(), "29");
    EXPECT_EQ(dialog.focusWidget(), dialog.manual.okButton);
    dialog.AcceptManualCoordinates();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dialog.coordinatesEdit->text(), "41N54-012E29");
    // The hour group the same way.
    dialog.OpenManualCoordinates();
    dialog.manual.lonHours->setFocus();
    for (QLineEdit* e : {dialog.manual.lonHours, dialog.manual.lonHourMinutes, dialog.manual.lonHourSeconds,
                         dialog.manual.lonHourLetter})
        e->clear();  // they show the longitude converted to hours
    for (char c : std::string("003644e")) QTest::keyClick(dialog.focusWidget(), c);
    EXPECT_EQ(dialog.manual.lonHours->text(), "00");
    EXPECT_EQ(dialog.manual.lonHourMinutes->text(), "36");
    EXPECT_EQ(dialog.manual.lonHourSeconds->text(), "44");
    EXPECT_EQ(dialog.manual.lonHourLetter->text(), "E");
    EXPECT_EQ(dialog.focusWidget(), dialog.manual.okButton);
}

TEST_F(EntryDialogTest, LocalMeanTimeCorrectionIsShownWhole) {
    dialog.coordinatesEdit->setText("41N54-012E30");
    dialog.localMeanTimeBox->setChecked(true);
    dialog.ApplyLocalMeanTimeChoice();
    EXPECT_EQ(dialog.correctionEdit->text(), "-0,833333333333333");  // 12 1/2 degrees east: 50 minutes
    dialog.coordinatesEdit->setText("51N28-000E00");
    dialog.ApplyLocalMeanTimeChoice();
    EXPECT_EQ(dialog.correctionEdit->text(), "+0");
    dialog.coordinatesEdit->setText("40N43-074W00");
    dialog.ApplyLocalMeanTimeChoice();
    EXPECT_EQ(dialog.correctionEdit->text(), "+4,93333333333333");
}

TEST_F(EntryDialogTest, PlaceListPagesShowTheExactPlaces) {
    const std::int64_t n = dialog.table.Count();
    ASSERT_GT(n, 40);
    // The names shown, and the names of the records that should be there.
    auto shown = [&] {
        std::vector<std::string> names;
        for (int i = 0; i < dialog.placeList->count(); ++i)
            names.push_back(gui::FromQt(dialog.placeList->item(i)->text()));
        return names;
    };
    auto expect = [&](std::int64_t first, const char* after) {
        const std::vector<std::string> lines = shown();
        ASSERT_EQ(lines.size(), 7u) << after;
        for (int i = 0; i < 7; ++i) {
            std::string name = dialog.table.Read(first + i).name;
            name.erase(name.find_last_not_of(' ') + 1);
            EXPECT_EQ(lines[static_cast<std::size_t>(i)].substr(0, name.size()), name) << after << ", line " << i + 1;
        }
    };
    auto key = [&](int row, Qt::Key k, bool windowMoves = true) {
        dialog.placeList->setCurrentRow(row);
        QTest::keyClick(dialog.placeList, k);
        if (windowMoves) {
            EXPECT_EQ(dialog.placeList->currentRow(), row);  // the same line stays selected
        }
    };
    dialog.FillPlaceList();
    expect(1, "start");
    key(6, Qt::Key_PageDown);
    expect(7, "page down");  // the last line comes first
    key(6, Qt::Key_PageDown);
    expect(13, "second page down");
    key(3, Qt::Key_PageDown, false);  // not on the last line: the selection moves, not the window
    expect(13, "page down in the middle");
    key(0, Qt::Key_PageUp);
    expect(7, "page up");
    key(6, Qt::Key_Down);
    expect(8, "down on the last line");
    key(0, Qt::Key_Up);
    expect(7, "up on the first line");
    key(0, Qt::Key_PageUp);
    expect(1, "page up to the start");
    key(0, Qt::Key_PageUp);
    expect(1, "page up at the start: the header is never shown");
    // At the end of the table a page stops at the last place.
    dialog.window.SetPosition(n - 3);
    dialog.FillPlaceList();
    expect(n - 6, "end");
    key(6, Qt::Key_PageDown);
    expect(n - 6, "page down at the end");
    key(6, Qt::Key_Down);
    expect(n - 6, "down at the end");
}

TEST_F(EntryDialogTest, TheManualPanelLeavesTheDialogAtItsSizeAndRedGoesWhenCorrected) {
    dialog.show();
    dialog.adjustSize();
    const QSize before = dialog.size();
    dialog.OpenManualCoordinates();
    QCoreApplication::processEvents();
    EXPECT_GT(dialog.height() * dialog.width(), before.height() * before.width());
    dialog.coordinatesEdit->setText("41N54-012E29");
    dialog.OpenManualCoordinates();
    dialog.AcceptManualCoordinates();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dialog.size(), before);

    // A name found missing is red until something is typed, and not red at the next opening.
    dialog.ConfirmAndStore();
    ASSERT_EQ(gui::GetFieldState(dialog.nameEdit), gui::FieldState::Rejected);
    dialog_test::Type(dialog.nameEdit, "R");
    EXPECT_EQ(gui::GetFieldState(dialog.nameEdit), gui::FieldState::Valid);
    dialog.nameEdit->clear();
    dialog.ConfirmAndStore();
    ASSERT_EQ(gui::GetFieldState(dialog.nameEdit), gui::FieldState::Rejected);
    dialog.StartNewEntry();
    EXPECT_EQ(gui::GetFieldState(dialog.nameEdit), gui::FieldState::Valid);
    dialog.hide();
}
