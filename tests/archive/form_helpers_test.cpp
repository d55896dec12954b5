// The colour-coded checks of numeric fields and the placing of dialogs near the
// main window.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <optional>

#include "archive/form_helpers.h"
#include "engine/chart.h"
#include "platform/gui/field_state.h"

using namespace archive;

namespace {

gui::FieldState StateOf(QLineEdit& e) { return gui::GetFieldState(&e); }

}  // namespace

TEST(FieldChecksTest, IntegerFieldWithinRangeKeepsTheTrimmedText) {
    QLineEdit e;
    unsigned char ok = 1;
    e.setText("  12 ");
    const std::optional<CheckedInteger> checked = ValidateIntEdit(&e, 12, 40, false, ok);
    EXPECT_EQ(e.text(), "12");
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->value, 12);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(StateOf(e), gui::FieldState::Valid);
    e.setText("40");
    ValidateIntEdit(&e, 12, 40, false, ok);
    EXPECT_EQ(ok, 1);
    e.setText("41");
    ValidateIntEdit(&e, 12, 40, false, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(e.text(), "");
    EXPECT_EQ(StateOf(e), gui::FieldState::Rejected);
}

TEST(FieldChecksTest, LoneSignIsAcceptedOnlyWhenAllowed) {
    QLineEdit e;
    unsigned char ok = 1;
    e.setText("-");
    EXPECT_FALSE(ValidateIntEdit(&e, -10, 10, true, ok));  // no number read
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(e.text(), "-");
    ValidateIntEdit(&e, -10, 10, false, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(e.text(), "");
    ok = 1;
    e.setText("1x");
    const std::optional<CheckedInteger> checked = ValidateIntEdit(&e, -10, 10, true, ok);
    EXPECT_EQ(ok, 0);
    ASSERT_TRUE(checked);
    EXPECT_NE(checked->errorPosition, 0);
}

TEST(FieldChecksTest, RealFieldsUseTheDecimalComma) {
    QLineEdit e;
    int error = -1;
    e.setText(" 4.5 ");
    long double value = ParseFloatEdit(&e, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(e.text(), "4,5");
    EXPECT_DOUBLE_EQ(static_cast<double>(value), 4.5);
    SetEditErrorColour(&e, error);
    EXPECT_EQ(StateOf(e), gui::FieldState::Valid);
    CheckFloatEditRange(&e, error, 0, 4.5L);  // the maximum itself is accepted
    EXPECT_EQ(error, 0);
    CheckFloatEditRange(&e, error, 0, 4);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(e.text(), "");
    EXPECT_EQ(StateOf(e), gui::FieldState::Rejected);

    e.setText("4,5a");
    ParseFloatEdit(&e, error);
    EXPECT_NE(error, 0);
    EXPECT_EQ(e.text(), "4,5a");  // left as typed
    SetEditErrorColour(&e, error);
    EXPECT_EQ(StateOf(e), gui::FieldState::Rejected);
    EXPECT_EQ(e.text(), "4,5a");
    CheckFloatEditRange(&e, error, 0, 1);  // an earlier error: not checked
    EXPECT_EQ(e.text(), "4,5a");
}

TEST(DialogPlacingTest, LowerRightCornersAlign) {
    QWidget main, dialog;
    main.setGeometry(100, 50, 800, 600);
    dialog.resize(300, 200);
    MainWindowGeometry frame;
    RememberMainOrigin(&main, frame);
    frame.width = main.width();  // saved by the main window when it activates
    frame.height = main.height();
    PlaceNearMain(&dialog, 0, frame);
    EXPECT_EQ(dialog.x() + dialog.width(), main.x() + main.width());
    EXPECT_EQ(dialog.y() + dialog.height(), main.y() + main.height());
    PlaceNearMain(&dialog, 10, frame);
    EXPECT_EQ(dialog.x() + dialog.width(), main.x() + main.width() + 10);
    EXPECT_EQ(dialog.y() + dialog.height(), main.y() + main.height() + 10);
}

TEST(DialogPlacingTest, AWindowSizedByItsContentsLandsAtTheSamePlaceEveryTime) {
    QWidget main;
    main.setGeometry(100, 50, 800, 600);
    MainWindowGeometry frame;
    RememberMainOrigin(&main, frame);
    frame.width = main.width();
    frame.height = main.height();
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLineEdit(&dialog));
    layout->addWidget(new QLineEdit(&dialog));
    PlaceNearMain(&dialog, 10, frame);
    const QPoint first = dialog.pos();
    dialog.show();
    dialog.hide();
    PlaceNearMain(&dialog, 10, frame);
    EXPECT_EQ(dialog.pos(), first);
    EXPECT_EQ(dialog.x() + dialog.width(), main.x() + main.width() + 10);
}
