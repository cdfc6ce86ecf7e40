#pragma once

#include <QString>

#include <pugixml.hpp>

// Conversions between the UTF-8 attribute values of a pugixml document and QString, tuned for the
// attempt record, where almost every value is empty or a single ASCII digit.

// The text of a UTF-8 value. Empty and one-character ASCII values share preallocated strings.
QString textFromUtf8(const char* utf8);

// Whether a UTF-8 value holds exactly `text`, without converting either side for ASCII texts.
bool sameText(const QString& text, const char* utf8);

// Sets an attribute's value to `text` in UTF-8.
void setAttributeText(pugi::xml_attribute attribute, const QString& text);
