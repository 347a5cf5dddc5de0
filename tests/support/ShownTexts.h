#pragma once

#include "analysis/QueryTexts.h"

#include <QHash>

namespace verdaxil::testing {

// The texts the query writes for what it found, by field.
inline QHash<QueryField, QString> shownTexts(const QueryFindings& found)
{
    QHash<QueryField, QString> texts;
    for (const FieldText& written : writtenTexts(found))
        texts[written.field] = written.text;
    return texts;
}

} // namespace verdaxil::testing
