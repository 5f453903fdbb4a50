#pragma once
// The calculator's window. It owns the engine's lifetime (initialised with the window, cleared
// when it goes), mirrors a CalcSession into its controls and keeps the session between runs in
// a history file.
#include "CalcHistoryFile.h"
#include "CalcSettings.h"

#include <QMainWindow>

class CalcSession;
class InputLine;
class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

class CalculatorWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int FunctionCount = 18;
    static constexpr int ErrorDisplayMs = 4000;

    // `historyFile` is where the session is kept between runs (CalcHistoryFile::defaultPath()
    // in the program); empty keeps nothing.
    explicit CalculatorWindow(const CalcSettings &settings, const QString &historyFile = QString(),
                              QWidget *parent = nullptr);
    ~CalculatorWindow() override;

    CalcSession *session() const { return m_session; }

    InputLine *inputBox() const { return m_inputBox; }
    QPlainTextEdit *historyBox() const { return m_historyBox; }
    QLineEdit *errorBox() const { return m_errorBox; }
    QPushButton *calculateButton() const { return m_calculateButton; }
    QComboBox *functionsBox() const { return m_functionsBox; }
    QComboBox *constantsBox() const { return m_constantsBox; }
    QTimer *errorTimer() const { return m_errorTimer; }

    QMenu *fileMenu() const { return m_fileMenu; }
    QAction *exitAction() const { return m_exitAction; }
    QMenu *calculateMenu() const { return m_calculateMenu; }
    QMenu *insertMenu() const { return m_insertMenu; }
    QAction *insertFunctionAction(int index) const { return m_insertFunctionActions[index]; }
    QAction *calculateAction() const { return m_calculateAction; }
    QAction *clearHistoryAction() const { return m_clearHistoryAction; }
    QMenu *helpMenu() const { return m_helpMenu; }
    QAction *helpContentsAction() const { return m_helpContentsAction; }
    QAction *siteAction() const { return m_siteAction; }
    QAction *aboutAction() const { return m_aboutAction; }
    QAction *desktopCalculatorAction() const { return m_desktopCalculatorAction; }

public slots:
    // Processes everything in the input box.
    void calculate();
    // Types `name` + "()" at the caret, with the caret between the parentheses.
    void insertFunction(const QString &name);
    // Types `name` at the caret.
    void insertConstant(const QString &name);
    // Asks, then empties the history and its file; definitions stay.
    void clearHistory();
    void showAbout();
    void showHelpContents();
    void openSite();
    void startDesktopCalculator();
    void hideError();
    // Colours the window's area and the Calculate button.
    void applySkin(const SkinColors &colors);

protected:
    // Writes the history file before the window goes.
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void connectSession();
    void restoreSession();
    void showMessage(const QString &message);
    void reportFailedWrite(const FileWriteResult &result);
    void recallLastLine();
    void recallOlderLine();
    void recallNewerLine();
    void scrollHistoryToEnd();

    CalcSession *m_session = nullptr;
    CalcHistoryFile m_historyFile;
    int m_savedLines = 0;   // the first lines of the session's history, which the file holds already

    InputLine *m_inputBox = nullptr;
    QPlainTextEdit *m_historyBox = nullptr;
    QLineEdit *m_errorBox = nullptr;
    QPushButton *m_calculateButton = nullptr;
    QComboBox *m_functionsBox = nullptr;
    QComboBox *m_constantsBox = nullptr;
    QTimer *m_errorTimer = nullptr;

    QMenu *m_fileMenu = nullptr;
    QAction *m_exitAction = nullptr;
    QMenu *m_calculateMenu = nullptr;
    QMenu *m_insertMenu = nullptr;
    QAction *m_insertFunctionActions[FunctionCount] = {};
    QAction *m_calculateAction = nullptr;
    QAction *m_clearHistoryAction = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_helpContentsAction = nullptr;
    QAction *m_siteAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_helpSeparator = nullptr;
    QAction *m_desktopCalculatorAction = nullptr;
};
