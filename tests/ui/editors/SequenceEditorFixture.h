#pragma once
// The test sequence editor's tests: an active list and a default selection
// set by the test, the window opened and driven through its controls.

#include "EditorFixture.h"
#include "support/TestListLines.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StationTestLists.h"
#include "ui/editors/SequenceEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <memory>

class SequenceEditorFixture : public EditorFixture {
protected:
    std::unique_ptr<ui::SequenceEditor> form;

    void SetUp() override
    {
        EditorFixture::SetUp();
        testLists.applyElectrodeString("A1-P2");
    }
    void TearDown() override
    {
        form.reset();
        EditorFixture::TearDown();
    }

    static testlists::TestList steps(const QStringList& lines) { return testsupport::stepsFromLines(lines); }
    static QStringList lines(const testlists::TestList& list) { return testsupport::linesOfSteps(list); }

    ui::SequenceEditor* open(const QString& unitMode, bool zamo24 = false)
    {
        mainForm.unitMode = FakeTestWindow::mode(unitMode);
        mainForm.zamo24 = zamo24;
        form = std::make_unique<ui::SequenceEditor>(mainForm);
        form->show();
        return form.get();
    }

    template <typename T>
    T* control(const char* name)
    {
        return child<T>(form.get(), name);
    }
    QComboBox* list(const char* name) { return control<QComboBox>(name); }
    QTableWidget* grid() { return control<QTableWidget>("TestSequenceFlexGrid"); }
    void press(const char* name) { click(form.get(), name); }
    bool shown(const char* name) { return !control<QWidget>(name)->isHidden(); }
    bool enabled(const char* name) { return control<QWidget>(name)->isEnabled(); }

    static QStringList entries(const QComboBox* box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    void choose(const char* listName, const QString& entry)
    {
        QComboBox* box = list(listName);
        const int index = box->findText(entry);
        ASSERT_GE(index, 0) << listName << " has no " << entry.toStdString();
        box->setCurrentIndex(index);
    }

    // Each grid row as "#|Test|Electrodes|Count".
    QStringList rows()
    {
        QStringList out;
        QTableWidget* g = grid();
        for (int r = 0; r < g->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << (g->item(r, c) ? g->item(r, c)->text() : QString());
            out << cells.join('|');
        }
        return out;
    }
    // Makes grid row r (1-based) current by a click.
    void clickRow(int r)
    {
        QTableWidget* g = grid();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(r - 1, 1)).center());
    }
    void doubleClickRow(int r)
    {
        QTableWidget* g = grid();
        const QPoint at = g->visualItemRect(g->item(r - 1, 1)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    }
    int currentRow() { return grid()->currentRow() + 1; }
};
