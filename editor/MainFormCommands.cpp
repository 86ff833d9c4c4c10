// The document commands.

#include "MainForm.h"

void TMainForm::OpenStartFile(const QString &fileName)
{
    Q_UNUSED(fileName)
}

void TMainForm::ShowTemplateChooser() {}
