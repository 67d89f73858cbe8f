#pragma once

#include <QString>
#include <QStringList>
#include <string>

/// Turns a filter text of "label|patterns" pairs, the patterns joined by ";", into the form Qt's
/// file dialogs take: "label (pattern pattern);;label (pattern)". "*.*" becomes "*", which is
/// what it means in such filters: every file, with a dot in its name or not. A label without
/// patterns is left out.
QString QtNameFilter(const std::u16string& filter);

/// The same file types one by one, one item for each label of the filter text, so that a type's
/// place is the same in both: a label without patterns gives an empty item.
QStringList QtNameFilters(const std::u16string& filter);
