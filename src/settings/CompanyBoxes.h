#pragma once

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;

// The business name and address boxes, built alike in the first-run wizard
// and the Options dialog into the window's own members.
struct CompanyBoxes {
    QLineEdit*& Name_txt;
    QPlainTextEdit*& Address_txt;
    QLineEdit*& Phone_txt;
    QLineEdit*& Mobile_txt;
    QLineEdit*& email_txt;
    QLineEdit*& WebAddress_txt;

    // Lays the boxes with their captions into grid from firstRow down.
    void build(QGridLayout* grid, int firstRow);
};
