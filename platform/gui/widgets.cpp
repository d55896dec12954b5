#include "platform/gui/widgets.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/gui/text_convert.h"

namespace gui {

namespace {

// A control of the kind, made with the arguments after its parent, named.
template <class Control, class... Args>
Control* Named(QWidget* parent, const char* name, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    return control;
}

}  // namespace

QLabel* MakeLabel(QWidget* parent, const char* name, std::string_view caption) {
    return Named<QLabel>(parent, name, ToQt(caption));
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = Named<QLineEdit>(parent, name);
    edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name, int maxLength) {
    QLineEdit* edit = MakeEdit(parent, name, maxLength);
    edit->setReadOnly(true);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* name, std::string_view caption) {
    return Named<QPushButton>(parent, name, ToQt(caption));
}

QPushButton* MakeClickOnlyButton(QWidget* parent, const char* name, std::string_view caption) {
    QPushButton* button = MakeButton(parent, name, caption);
    button->setAutoDefault(false);
    return button;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, bool readOnly) {
    auto* memo = Named<QPlainTextEdit>(parent, name);
    memo->setReadOnly(readOnly);
    return memo;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, std::string_view caption) {
    return Named<QRadioButton>(parent, name, ToQt(caption));
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, std::string_view caption) {
    return Named<QCheckBox>(parent, name, ToQt(caption));
}

QListWidget* MakeList(QWidget* parent, const char* name) { return Named<QListWidget>(parent, name); }

QComboBox* MakeCombo(QWidget* parent, const char* name) { return Named<QComboBox>(parent, name); }

QFrame* MakePanel(QWidget* parent, const char* name) { return Named<QFrame>(parent, name); }

QWidget* MakeArea(QWidget* parent, const char* name) { return Named<QWidget>(parent, name); }

QGroupBox* MakeGroup(QWidget* parent, const char* name, std::string_view title) {
    return Named<QGroupBox>(parent, name, ToQt(title));
}

SpinArrows MakeSpinButton(QWidget* parent, const char* name) {
    SpinArrows parts;
    parts.box = MakeArea(parent, name);
    auto* spin = new QVBoxLayout(parts.box);
    spin->setContentsMargins(0, 0, 0, 0);
    spin->setSpacing(0);
    const std::string up = std::string(name) + "Up", down = std::string(name) + "Down";
    parts.up = Named<QToolButton>(parts.box, up.c_str());
    parts.up->setArrowType(Qt::UpArrow);
    parts.down = Named<QToolButton>(parts.box, down.c_str());
    parts.down->setArrowType(Qt::DownArrow);
    spin->addWidget(parts.up);
    spin->addWidget(parts.down);
    return parts;
}

void SetBold(QWidget* control) {
    QFont font = control->font();
    font.setBold(true);
    control->setFont(font);
}

void SetPlace(QWidget* control, At at) {
    const int width = at.width == kCaptionWidth ? control->sizeHint().width() : at.width;
    control->setGeometry(at.x, at.y, width, at.height);
}

QFrame* MakeRaisedPanel(QWidget* parent, const char* name, const QColor& colour) {
    QFrame* f = MakePanel(parent, name);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, colour);
    f->setPalette(pal);
    return f;
}

QScrollBar* MakeScrollBar(QWidget* parent, const char* name, Qt::Orientation orientation) {
    return Named<QScrollBar>(parent, name, orientation);
}

void MakeButtons(QWidget* parent, std::initializer_list<PushButtonRow> rows) {
    for (const PushButtonRow& r : rows) *r.slot = MakeButton(parent, r.name, r.caption);
}

void MakeClickOnlyButtons(QWidget* parent, std::initializer_list<PushButtonRow> rows) {
    for (const PushButtonRow& r : rows) *r.slot = MakeClickOnlyButton(parent, r.name, r.caption);
}

void PlaceClickOnlyButtons(QWidget* parent, std::initializer_list<PlacedButtonRow> rows) {
    for (const PlacedButtonRow& r : rows) *r.slot = Place(MakeClickOnlyButton(parent, r.name, r.caption), r.at);
}

std::string NameOfEditLabel(const char* editName) { return std::string("Lab") + editName; }

QLineEdit* AddLabelledEdit(QGridLayout* grid, QWidget* parent, const LabelledEditRow& row, int gridRow,
                           LabelledEditColumns columns) {
    grid->addWidget(MakeLabel(parent, NameOfEditLabel(row.name).c_str(), row.label), gridRow, columns.label);
    *row.slot = MakeEdit(parent, row.name, row.maxLength);
    grid->addWidget(*row.slot, gridRow, columns.label + 1, 1, columns.editSpan);
    return *row.slot;
}

int AddLabelledEdits(QGridLayout* grid, QWidget* parent, std::initializer_list<LabelledEditRow> rows, int firstRow,
                     LabelledEditColumns columns) {
    int gridRow = firstRow;
    for (const LabelledEditRow& r : rows) AddLabelledEdit(grid, parent, r, gridRow++, columns);
    return gridRow;
}

void PlaceRadioColumn(QWidget* parent, std::initializer_list<RadioSlotRow> rows, At first, int step) {
    for (const RadioSlotRow& r : rows) {
        *r.slot = Place(MakeRadio(parent, r.name, r.caption), first);
        first.y += step;
    }
}

QGroupBox* MakeRadioGroup(QWidget* parent, const char* name, std::string_view title, const std::vector<RadioRow>& rows,
                          int rowsPerColumn, std::vector<QRadioButton*>& made) {
    QGroupBox* group = MakeGroup(parent, name, title);
    auto* grid = new QGridLayout(group);
    int i = 0;
    for (const RadioRow& r : rows) {
        made.push_back(MakeRadio(group, r.name, r.caption));
        grid->addWidget(made.back(), i % rowsPerColumn, i / rowsPerColumn);
        ++i;
    }
    return group;
}

}  // namespace gui
