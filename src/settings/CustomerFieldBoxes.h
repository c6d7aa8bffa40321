#pragma once

class QCheckBox;
class QWidget;
class Recordset;
struct SettingsValues;

// The five boxes that choose which optional fields the customer editor
// shows; the customer field dialog and the Options dialog both carry them.
// Read and written in the order fax, phone, e-mail, delivery address, mobile.
class CustomerFieldBoxes {
public:
    CustomerFieldBoxes();

    QCheckBox* fax_chk;
    QCheckBox* phone_chk;
    QCheckBox* email_chk;
    QCheckBox* Shipping1_chk;
    QCheckBox* mobile_chk;

    void loadFrom(const Recordset& row);
    void saveTo(Recordset& row) const;
    void copyTo(SettingsValues& values) const;
};
