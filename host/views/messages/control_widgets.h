#pragma once
#include <QString>

#include "shared/dialog_template.h"

class QFont;
class QLineEdit;
class QWidget;

// The dialog units of a font, as the old platform measured them: the average width of the
// letters of the alphabet, and the line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// The widget that realises a template control on page, in the state and font the template gives;
// its place is the page's to set.
QWidget* CreateControlWidget(const ControlTemplate& source, QWidget& page);

// The text a label, edit, button, group box or combo box shows. Other controls show none and keep
// their text as their window title, as windows of the old platform did.
QString WidgetText(const QWidget& widget);
void SetWidgetText(QWidget& widget, const QString& text);

// The field the user types into: the edit itself or an editable combo box's; null for others.
QLineEdit* EditField(QWidget* widget);
