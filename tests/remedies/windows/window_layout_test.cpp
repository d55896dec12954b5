// Every remedy window as the user first sees it: each caption of a button,
// radio button or one-line label is shown whole, and no control reaches past
// the window's edge or lies on top of a sibling control.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/message_box.h"
#include "remedies/browser_search.h"
#include "remedies/windows/composition_window.h"
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/debility_window.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/plant_symptoms_window.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/principles_window.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/search_utility.h"
#include "remedies/windows/signature_maintenance_window.h"
#include "remedies/windows/signature_search_window.h"
#include "remedies/windows/symptom_browser.h"
#include "remedies/windows/symptom_plants_window.h"
#include "remedies/windows/synthesis_window.h"
#include "remedies/windows/therapy_browser.h"
#include "remedies/windows/update_window.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;

namespace {

struct NamedWindow {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
};

template <class W>
NamedWindow Window(const char* name) {
    return {name, [] { return std::unique_ptr<QWidget>(new W); }};
}

std::vector<NamedWindow> AllWindows() {
    return {Window<SymptomBrowser>("symptom browser"),
            Window<RemedyBrowser>("remedy browser"),
            Window<TherapyBrowser>("therapies browser"),
            Window<MultiSymptomSearch>("multi-symptom search"),
            Window<CompoundTherapySearch>("compound therapies"),
            Window<SymptomPlantsWindow>("Quorim-2"),
            Window<PlantSymptomsWindow>("Quorim-1"),
            Window<SignatureMaintenanceWindow>("Manutenzione"),
            Window<SignatureSearchWindow>("signature search"),
            Window<CompositionWindow>("composition"),
            Window<SynthesisWindow>("synthesis"),
            Window<DebilityWindow>("debility"),
            Window<PrinciplesWindow>("principles"),
            Window<PrimaryEditor>("primary editor"),
            Window<RepertoryEditor>("therapies editor"),
            Window<SearchUtility>("search utility"),
            Window<UpdateWindow>("update")};
}

// What the control needs to show its caption whole, or 0 when it has no fixed caption.
int NeededWidth(const QWidget* w) {
    if (auto* b = qobject_cast<const QPushButton*>(w)) {
        if (b->text().isEmpty()) return 0;
        QString shown = b->text();
        shown.remove('&');
        return b->fontMetrics().horizontalAdvance(shown) + 6;
    }
    if (auto* r = qobject_cast<const QRadioButton*>(w)) return r->text().isEmpty() ? 0 : r->sizeHint().width();
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->wordWrap() || l->text().isEmpty() || l->text().contains('\n')) return 0;
        return l->fontMetrics().horizontalAdvance(l->text());
    }
    return 0;
}

class RemedyWindowLayout : public ::testing::Test {
protected:
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink messages_;
    void SetUp() override { window_tests::CopySampleData(); }
};

TEST_F(RemedyWindowLayout, CaptionsShowWholeAndControlsStayInside) {
    for (const NamedWindow& named : AllWindows()) {
        SCOPED_TRACE(named.name);
        std::unique_ptr<QWidget> window = named.make();
        window->show();
        QTest::qWait(1);
        const QRect inside = window->rect();
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(window.get())) continue;
            const QString what = child->objectName().isEmpty() ? child->metaObject()->className() : child->objectName();
            if (const int needed = NeededWidth(child)) {
                EXPECT_LE(needed, child->width())
                    << what.toStdString() << " \"" << child->property("text").toString().toStdString() << "\"";
            }
            if (child->parentWidget() == window.get()) {
                EXPECT_TRUE(inside.contains(child->geometry())) << what.toStdString() << " lies past the edge";
            }
        }
        // Buttons and edit boxes of one parent never cover each other.
        std::vector<QWidget*> controls;
        for (QWidget* child : window->findChildren<QWidget*>())
            if ((qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child)) &&
                child->isVisibleTo(window.get()))
                controls.push_back(child);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                if (controls[i]->parentWidget() != controls[j]->parentWidget()) continue;
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << controls[i]->objectName().toStdString() << " covers " << controls[j]->objectName().toStdString();
            }
        }
        const QRect screen(0, 0, 1280, 1024);
        EXPECT_LE(window->width(), screen.width());
        EXPECT_LE(window->height(), screen.height());
    }
}

}  // namespace
