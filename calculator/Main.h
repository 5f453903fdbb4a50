#pragma once
// The calculator's window. It owns the engine's lifetime (initialised with the window, cleared
// when it goes) and mirrors a CalcSession into its controls.
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

class Main : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int FunctionCount = 18;
    static constexpr int ErrorDisplayMs = 4000;

    explicit Main(const CalcSettings &settings, QWidget *parent = nullptr);
    ~Main() override;

    CalcSession *session() const { return m_session; }

    // Controls and menus, named as the program knows them.
    InputLine *TxtOnLine = nullptr;
    QPlainTextEdit *TxtCalc = nullptr;
    QLineEdit *Txt_Err = nullptr;
    QPushButton *CmdCalc = nullptr;
    QComboBox *CmbFunctions = nullptr;
    QComboBox *CmbConst = nullptr;
    QTimer *Timer1 = nullptr;

    QMenu *mnufile = nullptr;
    QAction *mnuexit = nullptr;
    QMenu *mnucalc = nullptr;
    QMenu *mnuinsert = nullptr;
    QAction *mnufun[FunctionCount] = {};
    QAction *mnueval = nullptr;
    QAction *mnuclear = nullptr;
    QMenu *mnuhelp = nullptr;
    QAction *mnumainhelp = nullptr;
    QAction *mnusite = nullptr;
    QAction *mnuabout = nullptr;
    QAction *mnusep = nullptr;
    QAction *mnuwincalc = nullptr;

public slots:
    // Processes everything in the input box.
    void Calculate();
    // Types `name` + "()" at the caret, with the caret between the parentheses.
    void InsertFunction(const QString &name);
    // Types `name` at the caret.
    void InsertConstant(const QString &name);
    // Empties the history; definitions stay.
    void ClearHistory();
    void ShowAbout();
    void ShowMainHelp();
    void OpenSite();
    void StartSystemCalculator();
    void Timer1Tick();
    // Colours the window's area and the Calculate button.
    void applySkin(const SkinColors &colors);

private:
    void createControls();
    void createMenus();
    void connectSession();
    void recallLastLine();
    void recallOlderLine();
    void recallNewerLine();
    void scrollHistoryToEnd();

    CalcSession *m_session = nullptr;
};
