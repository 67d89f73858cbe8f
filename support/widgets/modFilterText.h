#pragma once

#include <QString>
#include <QStringList>
#include <string>

/// Turns a filter text of "label|patterns" pairs, the patterns joined by ";", into the file types
/// Qt's file dialogs take, one item "label (pattern pattern)" for each label, so that a type's
/// place is the same in both: a label without patterns gives an empty item. "*.*" becomes "*",
/// which is what it means in such filters: every file, with a dot in its name or not.
QStringList QtNameFilters(const std::u16string& filter);
