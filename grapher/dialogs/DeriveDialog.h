#pragma once
// The derive dialog: the active project's function with its first and second derivatives as
// formulas. Ctrl+N in one of the three boxes closes the dialog and opens that function as a new
// project over the same interval. A thin window over DeriveModel.
#include "dialogs/DeriveModel.h"

#include <QDialog>

#include <functional>
#include <memory>

class FunctionProject;
class QLineEdit;
class QPushButton;

class DeriveDialog : public QDialog {
    Q_OBJECT
public:
    // `project` must outlive the dialog; `openProject` opens a new project in a graph window of
    // its own (the dialog is closed by then).
    DeriveDialog(FunctionProject &project, std::function<void(std::unique_ptr<FunctionProject>)> openProject,
                 QWidget *parent = nullptr);

    // Box 0 shows f, box 1 f', box 2 f''.
    QLineEdit *functionBox(int index) const;
    QPushButton *okButton() const { return m_okButton; }

    // Ctrl+N in box `index`: nothing when that function does not exist.
    void openAsProject(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DeriveModel m_model;
    std::function<void(std::unique_ptr<FunctionProject>)> m_openProject;
    QLineEdit *m_boxes[DeriveModel::FunctionCount];
    QPushButton *m_okButton;
    QPushButton *m_helpButton;
};
