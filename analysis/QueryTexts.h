#pragma once

#include "analysis/QueryCommand.h"

#include <QString>

#include <vector>

namespace verdaxil {

// The result fields of a query: the boxes the main window shows them in and the lines
// verdaxil-query prints, both with these texts.
enum class QueryField {
    Message,
    Price,
    High,
    Low,
    MaxGain,
    MaxGainPercent,
    Share5,
    Share10,
    Share50,
    Share100,
    ProfitShare,
    Points,
    Date,
};

// Every field, in the order Clear writes them.
inline constexpr QueryField kQueryFields[] = {
    QueryField::Price,          QueryField::High,   QueryField::Low,     QueryField::Message, QueryField::MaxGain,
    QueryField::MaxGainPercent, QueryField::Share5, QueryField::Share10, QueryField::Share50, QueryField::Share100,
    QueryField::ProfitShare,    QueryField::Points, QueryField::Date,
};

// The text Clear gives a field.
QString placeholderText(QueryField field);

struct FieldText {
    QueryField field;
    QString text;
    bool operator==(const FieldText&) const = default;
};

// The texts a query writes for what it found, in the order it writes them; a field it
// does not reach keeps its text. A code no exchange holds clears every field first.
std::vector<FieldText> writtenTexts(const QueryFindings& found);

} // namespace verdaxil
