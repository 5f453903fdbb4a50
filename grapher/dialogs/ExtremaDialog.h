#pragma once
// The extrema dialog: the local minima and maxima of the active project's function on its
// interval (scanned once, when the dialog opens), listed in ascending x with f(x) and the type.
// Choosing a row marks that point on the graph window's graph; Save writes the list as an HTML
// report. With no extremum the dialog explains why instead. A thin window over ExtremaModel.
//
// The project and the pane belong to the graph window, which must outlive the dialog: show it
// modally, or as a child of that window.
#include "dialogs/ExtremaModel.h"

#include <QDialog>

#include <functional>

class FunctionProject;
class GraphPane;
class QLabel;
class QPushButton;
class QTableWidget;

class ExtremaDialog : public QDialog {
    Q_OBJECT
public:
    // `graphChanged` asks the graph window to repaint after the dialog has drawn on the pane.
    ExtremaDialog(FunctionProject &project, GraphPane &pane, std::function<void()> graphChanged,
                  QWidget *parent = nullptr);

    const ExtremaModel &model() const { return m_model; }
    QTableWidget *list() const { return m_list; }
    QLabel *resultLabel() const { return m_resultLabel; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *helpButton() const { return m_helpButton; }

    // A row chosen: the graph redrawn and the point marked.
    void markRow(int row);
    // The Save button: asks for the file and writes the report; true when written.
    bool saveReport();

    // Closing redraws the graph without the marker.
    void done(int result) override;

private:
    void buildLayout();

    FunctionProject &m_project;
    GraphPane &m_pane;
    std::function<void()> m_graphChanged;
    ExtremaModel m_model;
    QTableWidget *m_list;
    QLabel *m_resultLabel;
    QPushButton *m_saveButton;
    QPushButton *m_okButton;
    QPushButton *m_helpButton;
};
