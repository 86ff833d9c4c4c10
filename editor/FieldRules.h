#pragma once

#include <QString>

class QWidget;

// Small rules the pages share.
namespace FieldRules {

// The text without blanks and control characters at either end.
QString trimmed(const QString &text);

// Enables or disables an input field; an enabled field shows the window colour, a disabled
// one silver.
void setFieldEnabled(QWidget *field, bool enabled);

} // namespace FieldRules
