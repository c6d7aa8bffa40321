#pragma once
#include "platform/FixedText.h"
#include <QString>

// What one window hands to the next: the caller sets the request, shows the
// other window modally, and reads the result after it closes.
struct HandOverValues {
    // Customer editor
    int CustNewMode = 0;          // 1 = new customer, 0 = the customer in SelectedCustID
    QString SelectedCustID;       // the customer the list asks the editor to open
    int CustSaved = 0;
    FixedText<30> SavedCustID;
    int CustDeleted = 0;
    // Item editor
    int ItemNewMode = 0;
    FixedText<30> EditItemID;
    int ItemSaved = 0;
    FixedText<30> SavedItemID;
    // Invoice editor
    int InvEditMode = 0;          // 1 = open InvToEdit, 0 = new invoice for InvCustID
    QString InvToEdit;
    QString InvCustID;
    FixedText<30> InvCustFirstName;
    FixedText<30> InvCustLastName;
    FixedText<30> InvCustPhone;
    int InvSaved = 0;
    FixedText<30> SavedInvNo;
    // Help viewer
    FixedText<30> HelpPage;
};

extern HandOverValues gHandOver;
