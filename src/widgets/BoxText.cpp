#include "widgets/BoxText.h"
#include <QLineEdit>

void setBoxText(QLineEdit* box, const QString& text) {
    if (text.size() > box->maxLength()) box->setMaxLength(int(text.size()));
    box->setText(text);
}
