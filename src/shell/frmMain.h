#pragma once
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

// The program's main window: menus, the toolbar of task buttons and the
// status bar. Its load step makes the database ready; its activation step
// runs the first-run wizard while there are no settings; closing it is the
// program's shut-down.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    // Start-up: the program folder taken for this copy of the program alone,
    // data.mdb found or created, both connections opened, the settings
    // loaded. An error is reported and ends the program.
    void Load();
    // Runs once per showing (queued by the show): the wizard while the
    // database is not ready, closing the frame when it was cancelled, and the
    // debtors window at the first activation when the settings ask for it.
    void Activate();
    // The toolbar's dispatch, by the button's position (1 to 16).
    void Toolbar1_ButtonClick(int index);

    // The toolbar's entry at a position (1 to 16; separators included).
    QAction* toolbarButton(int index) const;

    QToolBar* Toolbar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnusep = nullptr;
    QAction* MnuSave = nullptr;
    QAction* mnurestore = nullptr;
    QAction* mn = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuOptions = nullptr;
    QAction* mnuWeb = nullptr;
    QAction* mnuImport = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool startsAlone();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void enableEntries();
    void Load_settings();
    void addInvoice();
    void openWindow(const QString& name, const QString& procName);
    void MDIForm_Unload();

    bool activationQueued_ = false;
    bool unloaded_ = false;
};
