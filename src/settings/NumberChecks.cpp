#include "settings/NumberChecks.h"
#include "common/Functions.h"
#include "platform/Recordset.h"

namespace NumberChecks {
bool inUse(const QString& table, const QString& index, const QString& column, const QString& number) {
    TableSource = table;
    Recordset rs(TableSource);
    rs.setIndex(index);
    rs.seek(number, Recordset::SeekOption::AfterEQ);
    return !rs.eof() && Field_To_String(rs.field(column)).toUpper() == number.toUpper();
}
}
