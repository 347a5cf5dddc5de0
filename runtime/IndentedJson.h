#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <QVariant>

#include <vector>

namespace verdaxil {

// JSON text appended piece by piece in the indented form a QJsonDocument writes, byte
// for byte: a long list is written as it is formatted rather than built as a document
// and written afterwards. Members must come in the order a QJsonObject keeps, by key.
class IndentedJson {
public:
    explicit IndentedJson(QByteArray& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // Where an object holds a member: its key, the value to follow.
    void key(QByteArrayView name); // ASCII: written as it is

    void null();
    void boolean(bool value);
    void integer(qint64 value);
    void real(double value); // null when not finite
    void string(QStringView text);
    // A variant as the value it holds; null for a type JSON has no value of.
    void variant(const QVariant& value);

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);

    QByteArray& out_;
    std::vector<bool> filled_; // per open object or array: whether it holds anything yet
    bool afterKey_ = false;
};

} // namespace verdaxil
