#pragma once
#include <QByteArray>
#include <QString>

#include <vector>

namespace sonaplex {

// Valve's text key-value format, as Steam writes its library list and app manifests:
//   "AppState" { "appid" "620" "name" "Portal 2" "UserConfig" { ... } }
// Keys and values are quoted (with \" \\ \n \t escapes) or bare words; // starts a comment;
// a [$CONDITION] after a value is skipped. Keys are compared without case, as Steam does.
struct KeyValues {
    QString key;
    QString value; // of a key with a value
    std::vector<KeyValues> children; // of a key with a section
    bool section = false;

    // The first child named `key` (any case), or null.
    const KeyValues* find(QStringView key) const;
    // The value of the first child named `key`, or empty.
    QString text(QStringView key) const;
};

struct KeyValuesRead {
    KeyValues root; // a section holding what the text holds at its top
    QString error; // empty when the whole text was read
    int line = 0; // where the error is
    bool ok() const { return error.isEmpty(); }
};

// Reads `text` (UTF-8). Bounded whatever it holds: sections nest at most 64 deep and the text
// holds at most a million keys; anything past that, or malformed, is an error naming its line.
KeyValuesRead readKeyValues(const QByteArray& text);

} // namespace sonaplex
