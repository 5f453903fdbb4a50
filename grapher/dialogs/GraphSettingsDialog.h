#pragma once
// The graph settings dialog: x interval, vertical view, graph points, root-finding steps, the
// three colours and the title of one project. A thin window over GraphSettingsModel.
//
// Every accepted edit of a number or a colour goes into the project at once and the graph
// window redraws through `refresh` (true when the x interval or the steps changed, which
// empties its roots list). A refused edit shows its message in the error label for 6 seconds,
// never in a message box, and goes as soon as every field passes again. Enter applies without
// closing, OK applies and closes, a click on the error label applies, and Cancel (or Esc) puts
// the project back as it was.
#include "dialogs/GraphSettingsModel.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

class GraphSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // How long a message stays after the last refusal.
    static constexpr int ErrorShownMilliseconds = 6000;

    GraphSettingsDialog(FunctionProject &project, std::function<void(bool intervalChanged)> refresh,
                        QWidget *parent = nullptr);

    enum class Swatch { Graph, Axes, Grid };

    QLineEdit *edit(GraphSettingsField field) const;
    QLineEdit *titleEdit() const { return m_titleEdit; }
    QToolButton *swatch(Swatch which) const;
    qint32 swatchColor(Swatch which) const;
    QLabel *errorLabel() const { return m_errorLabel; }
    QTimer *errorTimer() const { return m_errorTimer; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QPushButton *defaultButton() const { return m_defaultButton; }

    // The fields as they stand.
    GraphSettingsFields fields() const;

    // A field edit: checks and, when everything passes, previews in the project.
    void previewSettings();
    // OK, Enter, a click on the error label: true when the project took the values; otherwise
    // the focus goes to the first faulty field.
    bool applySettings();
    // The swatch's colour through the colour dialog, then a preview.
    void chooseColor(Swatch which);
    // The Default button.
    void restoreDefaults();

    // Cancel, Esc and the close button: the project takes back its values.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void okClicked();
    void showFields(const GraphSettingsFields &fields);
    void setSwatchColor(Swatch which, qint32 color);
    void showError(const QString &message);
    void hideError();
    void focusField(GraphSettingsField field, int caret);
    void takeOutcome(const GraphSettingsOutcome &outcome);
    void buildLayout();

    GraphSettingsModel m_model;
    std::function<void(bool)> m_refresh;
    // True while the dialog fills its own fields, so that their change events do not preview.
    bool m_loading = true;

    QLineEdit *m_xMinEdit;
    QLineEdit *m_xMaxEdit;
    QLineEdit *m_yMinEdit;
    QLineEdit *m_yMaxEdit;
    QLineEdit *m_graphPointsEdit;
    QLineEdit *m_rootStepsEdit;
    QLineEdit *m_titleEdit;
    QToolButton *m_graphSwatch;
    QToolButton *m_axesSwatch;
    QToolButton *m_gridSwatch;
    qint32 m_graphColor = 0;
    qint32 m_axesColor = 0;
    qint32 m_gridColor = 0;
    QLabel *m_errorLabel;
    QTimer *m_errorTimer;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QPushButton *m_defaultButton;
    QPushButton *m_helpButton;
};
