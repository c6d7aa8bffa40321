#pragma once
#include <QDialog>

class QComboBox;
class QDateEdit;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

// "Export to Excel": the user picks one of the six comma-separated exports,
// a folder, a file name and a date range, and starts the export.
class FrmExport : public QDialog {
    Q_OBJECT
public:
    explicit FrmExport(QWidget* owner = nullptr);

    QListWidget* list1;         // the six exports
    QLabel* Label2;
    QLineEdit* Filename_txt;
    QLabel* Label1;
    QLineEdit* Path_txt;
    QPushButton* Command2;      // "Change Path": opens the folder chooser
    // The folder chooser: mount points and the folder tree.
    QGroupBox* Frame1;
    QLineEdit* path1_txt;
    QComboBox* Drive1;
    QTreeView* Dir1;
    QPushButton* Command1;      // "OK": the chosen folder becomes the path
    QPushButton* Command3;      // "Cancel": closes the chooser
    QLabel* From_lbl;
    QDateEdit* DTPicker1;
    QLabel* to_lbl;
    QDateEdit* DTPicker2;
    QPushButton* Export_cmd;
    QPushButton* exit_cmd;

    // The folder the folder tree stands on, and moving it there.
    QString Dir1Folder() const;
    void setDir1Folder(const QString& folder);

    void Export_cmd_Click();
    // Says why the name cannot be taken and goes back to the name box.
    void refuseFilename(const QString& why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildChooser();
    void Form_Load();
    void Set_filename();
    void Drive1_Change();
    void Dir1_Change();
    void showDriveOf(const QString& folder);

    QFileSystemModel* folders_;
};
