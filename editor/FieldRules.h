#pragma once

#include <QString>
#include <vector>

class QWidget;

// Small rules the pages share.
namespace FieldRules {

// The text without blanks and control characters at either end.
QString trimmed(const QString &text);

// Enables or disables an input field; an enabled field shows the window colour, a disabled
// one silver.
void setFieldEnabled(QWidget *field, bool enabled);

// The order the applet fields are shown in: fields 2 to 85, each gradient flag right after
// its fade colour, then the applet size and the popup font. A malformed value stops a load
// at its field, so the order decides which error is told.
std::vector<int> appletLoadOrder();

} // namespace FieldRules
