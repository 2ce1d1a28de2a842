#pragma once
// The test window's test-list panel: a single list or two consecutive
// lists loaded from files, the grid that shows the operator's list, and
// the Run, Cancel, Edit and Run Standard Sequence buttons. It shows what it
// is given and reports the operator's choices; the window acts on its
// buttons. Nothing in it can fail.

#include "testlists/TestStep.h"

#include <QGroupBox>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace ui {

class TestListPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TestListPanel(QWidget* parent = nullptr);

    // Empties the grid and gives it its headings.
    void clearList();
    // The steps of list, numbered, with the selection string of the default
    // electrodes (cut to 20 characters and "...") or a BIAS step's
    // hours/minutes, and the count (a PACE step's minutes).
    void showList(const testlists::TestList& list, const QString& selection);
    // File n (1 or 2) of a consecutive run: its name and its step count.
    void showLoadedFile(int n, const QString& file, qsizetype steps);
    bool consecutiveListsChosen() const;
    // Edit, Run and Run Standard Sequence.
    void setTestButtonsEnabled(bool enabled);
    void setEditEnabled(bool enabled);

    QRadioButton* singleListButton() const { return m_singleListButton; }
    QRadioButton* consecutiveListsButton() const { return m_consecutiveListsButton; }
    QPushButton* loadFileButton(int n) const { return m_loadFileButtons[std::size_t(n - 1)]; }
    QLineEdit* fileEdit(int n) const { return m_fileEdits[std::size_t(n - 1)]; }
    QLabel* fileLabel(int n) const { return m_fileLabels[std::size_t(n - 1)]; }
    QTableWidget* grid() const { return m_grid; }
    QPushButton* runButton() const { return m_runButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* editButton() const { return m_editButton; }
    QPushButton* standardSequenceButton() const { return m_standardSequenceButton; }

public slots:
    // The grid, Edit and Run Standard Sequence belong to a single list.
    void showSingleList();
    void showConsecutiveLists();

private:
    void sizeColumns();
    void setSingleListShown(bool shown);

    QRadioButton* m_singleListButton = nullptr;
    QRadioButton* m_consecutiveListsButton = nullptr;
    std::array<QPushButton*, 2> m_loadFileButtons{};
    std::array<QLineEdit*, 2> m_fileEdits{};
    std::array<QLabel*, 2> m_fileLabels{};
    QTableWidget* m_grid = nullptr;
    QPushButton* m_runButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_standardSequenceButton = nullptr;
};

} // namespace ui
