// Message boxes with a caption ("Conversion Error") and a text, shown modally.
#pragma once

#include <QString>

class QWidget;

void showMessageBox(QWidget* parent, const QString& caption, const QString& text);

inline const char* const kConversionErrorCaption = "Conversion Error";
inline const char* const kNotAnInteger = "Text box entry must be an integer!";
inline const char* const kNotADouble = "Text box entry must be a double!";
inline const char* const kNotANumber = "Text box entry must be a number!";

/// The "Conversion Error" message box with one of the three texts above.
inline void showConversionError(QWidget* parent, const QString& text)
{
    showMessageBox(parent, kConversionErrorCaption, text);
}
