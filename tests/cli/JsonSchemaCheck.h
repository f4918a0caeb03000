#pragma once
// A JSON Schema check for the keywords our schemas use (type, properties,
// required, additionalProperties, prefixItems, items, minItems/maxItems,
// uniqueItems, minProperties, minimum/maximum, pattern, const, enum, $ref into
// #/$defs). A keyword it does not know is
// itself reported, so a schema cannot promise more than is checked.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <QStringList>

namespace clitest {

class JsonSchemaCheck {
  public:
    explicit JsonSchemaCheck(QJsonObject root) : root_(std::move(root)) {}

    // Every violation as "path: what"; empty when `value` conforms.
    QStringList check(const QJsonValue &value) {
        errors_.clear();
        visit(value, root_, QStringLiteral("$"));
        return errors_;
    }

  private:
    static QString typeOf(const QJsonValue &v) {
        switch (v.type()) {
        case QJsonValue::Null:
            return "null";
        case QJsonValue::Bool:
            return "boolean";
        case QJsonValue::Double:
            return v.toDouble() == static_cast<double>(v.toInteger()) ? "integer" : "number";
        case QJsonValue::String:
            return "string";
        case QJsonValue::Array:
            return "array";
        case QJsonValue::Object:
            return "object";
        default:
            return "undefined";
        }
    }

    void fail(const QString &path, const QString &what) { errors_ << path + ": " + what; }

    static QString compact(const QJsonArray &a) {
        return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
    }

    void visit(const QJsonValue &v, const QJsonObject &schema, const QString &path) {
        static const QStringList annotations{"$schema", "$id", "title", "description", "$defs"};
        for (auto it = schema.begin(); it != schema.end(); ++it) {
            const QString key = it.key();
            const QJsonValue s = it.value();
            if (annotations.contains(key))
                continue;
            if (key == "$ref") {
                const QString ref = s.toString();
                if (!ref.startsWith("#/$defs/"))
                    fail(path, "unsupported $ref " + ref);
                else
                    visit(v, root_["$defs"].toObject()[ref.mid(8)].toObject(), path);
            } else if (key == "type") {
                const QString t = typeOf(v);
                QStringList allowed;
                for (const auto &a : s.isArray() ? s.toArray() : QJsonArray{s})
                    allowed << a.toString();
                if (!allowed.contains(t) && !(t == "integer" && allowed.contains("number")))
                    fail(path, t + " where " + allowed.join('|') + " is expected");
            } else if (key == "required") {
                for (const auto &name : s.toArray())
                    if (v.isObject() && !v.toObject().contains(name.toString()))
                        fail(path, "missing key " + name.toString());
            } else if (key == "properties") {
                const QJsonObject props = s.toObject();
                for (auto p = props.begin(); p != props.end(); ++p)
                    if (v.isObject() && v.toObject().contains(p.key()))
                        visit(v.toObject()[p.key()], p.value().toObject(), path + "." + p.key());
            } else if (key == "additionalProperties") {
                if (!v.isObject())
                    continue;
                const QJsonObject props = schema["properties"].toObject();
                const QJsonObject o = v.toObject();
                for (auto p = o.begin(); p != o.end(); ++p) {
                    if (props.contains(p.key()))
                        continue;
                    if (s.isBool() && !s.toBool())
                        fail(path, "unexpected key " + p.key());
                    else if (s.isObject())
                        visit(p.value(), s.toObject(), path + "." + p.key());
                }
            } else if (key == "prefixItems") {
                const QJsonArray a = v.toArray(), prefix = s.toArray();
                for (int i = 0; i < a.size() && i < prefix.size(); ++i)
                    visit(a[i], prefix[i].toObject(), path + "[" + QString::number(i) + "]");
            } else if (key == "items") {
                // Items past those prefixItems names.
                const QJsonArray a = v.toArray();
                for (auto i = schema["prefixItems"].toArray().size(); i < a.size(); ++i) {
                    const QString at = path + "[" + QString::number(i) + "]";
                    if (s.isBool() && !s.toBool())
                        fail(at, "no item is allowed here");
                    else
                        visit(a[i], s.toObject(), at);
                }
            } else if (key == "uniqueItems") {
                const QJsonArray a = v.toArray();
                for (int i = 0; s.toBool() && i < a.size(); ++i)
                    for (int j = i + 1; j < a.size(); ++j)
                        if (a[i] == a[j])
                            fail(path, "items " + QString::number(i) + " and " +
                                           QString::number(j) + " are equal");
            } else if (key == "const") {
                if (v != s)
                    fail(path, "not the value " + compact(QJsonArray{s}));
            } else if (key == "enum") {
                if (!s.toArray().contains(v))
                    fail(path, "not one of " + compact(s.toArray()));
            } else if (key == "minItems" || key == "maxItems") {
                const auto n = v.toArray().size();
                if (v.isArray() && (key == "minItems" ? n < s.toInt() : n > s.toInt()))
                    fail(path,
                         QString::number(n) + " items, " + key + " " + QString::number(s.toInt()));
            } else if (key == "minProperties") {
                if (v.isObject() && v.toObject().size() < s.toInt())
                    fail(path, "fewer than " + QString::number(s.toInt()) + " keys");
            } else if (key == "minimum" || key == "maximum") {
                if (v.isDouble() &&
                    (key == "minimum" ? v.toDouble() < s.toDouble() : v.toDouble() > s.toDouble()))
                    fail(path, QString::number(v.toDouble()) + " outside " + key + " " +
                                   QString::number(s.toDouble()));
            } else if (key == "pattern") {
                if (v.isString() &&
                    !QRegularExpression(s.toString()).match(v.toString()).hasMatch())
                    fail(path, "\"" + v.toString() + "\" does not match " + s.toString());
            } else {
                fail(path, "schema keyword " + key + " is not checked");
            }
        }
    }

    QJsonObject root_;
    QStringList errors_;
};

} // namespace clitest
