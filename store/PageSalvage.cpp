#include "PageSalvage.h"

#include <QString>
#include <QtEndian>

#include <cstring>
#include <optional>

// The layout read here is SQLite's documented file format
// (sqlite.org/fileformat2.html): a header on the first page, fixed-size
// pages, b-tree pages with a cell pointer array, and records made of a
// header of serial types followed by their values.
namespace PageSalvage {

namespace {

constexpr int headerSize = 100;
constexpr quint8 tableLeaf = 13;

// Reads from a byte range, never past its end.
class Reader
{
public:
    Reader(const uchar *begin, const uchar *end) : at_(begin), end_(end) {}

    bool atEnd() const { return at_ >= end_; }
    const uchar *position() const { return at_; }

    std::optional<qint64> varint()
    {
        quint64 value = 0;
        for (int i = 0; i < 9; ++i) {
            if (at_ >= end_)
                return std::nullopt;
            const uchar byte = *at_++;
            if (i == 8)
                return qint64((value << 8) | byte);
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                return qint64(value);
        }
        return std::nullopt;
    }

    std::optional<QByteArray> bytes(qint64 count)
    {
        if (count < 0 || count > end_ - at_)
            return std::nullopt;
        QByteArray read(reinterpret_cast<const char *>(at_), int(count));
        at_ += count;
        return read;
    }

private:
    const uchar *at_;
    const uchar *end_;
};

// A big-endian signed integer of `size` bytes.
qint64 signedOf(const QByteArray &bytes)
{
    qint64 value = (bytes.isEmpty() || !(uchar(bytes[0]) & 0x80)) ? 0 : -1;
    for (const char byte : bytes)
        value = (value << 8) | uchar(byte);
    return value;
}

std::optional<QVariant> valueOf(qint64 type, Reader &body)
{
    static const int intSizes[] = {0, 1, 2, 3, 4, 6, 8};
    if (type == 0)
        return QVariant();
    if (type >= 1 && type <= 6) {
        const auto bytes = body.bytes(intSizes[type]);
        return bytes ? std::optional<QVariant>(QVariant(signedOf(*bytes))) : std::nullopt;
    }
    if (type == 7) {
        const auto bytes = body.bytes(8);
        if (!bytes)
            return std::nullopt;
        const quint64 bits = qFromBigEndian<quint64>(bytes->constData());
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return QVariant(value);
    }
    if (type == 8 || type == 9)
        return QVariant(qint64(type - 8));
    if (type >= 12) {
        const auto bytes = body.bytes((type - (type % 2 ? 13 : 12)) / 2);
        if (!bytes)
            return std::nullopt;
        return type % 2 ? QVariant(QString::fromUtf8(*bytes)) : QVariant(*bytes);
    }
    return std::nullopt; // 10 and 11 are never written
}

std::optional<Record> recordAt(const uchar *cell, const uchar *pageEnd, int usable, int fields)
{
    Reader reader(cell, pageEnd);
    const auto payload = reader.varint();
    const auto rowid = reader.varint();
    // A payload too large for the page goes on overflow pages: not read.
    if (!payload || !rowid || *payload < 1 || *payload > usable - 35)
        return std::nullopt;
    const uchar *start = reader.position();
    if (*payload > pageEnd - start)
        return std::nullopt;
    Reader record(start, start + *payload);
    const auto header = record.varint();
    if (!header || *header < 1 || *header > *payload)
        return std::nullopt;
    QList<qint64> types;
    Reader typesReader(record.position(), start + *header);
    while (!typesReader.atEnd()) {
        const auto type = typesReader.varint();
        if (!type)
            return std::nullopt;
        types.append(*type);
    }
    if (types.size() != fields)
        return std::nullopt;
    Reader body(start + *header, start + *payload);
    Record made;
    made.rowid = *rowid;
    for (const qint64 type : types) {
        const auto value = valueOf(type, body);
        if (!value)
            return std::nullopt;
        made.values.append(*value);
    }
    return made;
}

} // namespace

QList<Record> records(const QByteArray &file, int fields)
{
    const auto *data = reinterpret_cast<const uchar *>(file.constData());
    // The header's page size when it is still there, SQLite's default when not.
    int pageSize = 4096;
    int reserved = 0;
    if (file.startsWith(QByteArrayLiteral("SQLite format 3\0")) && file.size() >= headerSize) {
        const int size = qFromBigEndian<quint16>(data + 16);
        const int stated = size == 1 ? 65536 : size;
        if (stated >= 512 && stated <= 65536 && (stated & (stated - 1)) == 0)
            pageSize = stated;
        reserved = data[20];
    }
    const int usable = pageSize - reserved;
    QList<Record> found;
    for (qsizetype offset = 0; offset + pageSize <= file.size(); offset += pageSize) {
        const uchar *page = data + offset;
        const uchar *header = offset == 0 ? page + headerSize : page;
        if (header[0] != tableLeaf)
            continue;
        const int cells = qFromBigEndian<quint16>(header + 3);
        const uchar *pointers = header + 8;
        if (pointers + 2 * cells > page + pageSize)
            continue;
        for (int i = 0; i < cells; ++i) {
            const int at = qFromBigEndian<quint16>(pointers + 2 * i);
            if (at < pointers + 2 * cells - page || at >= usable)
                continue;
            if (auto record = recordAt(page + at, page + usable, usable, fields))
                found.append(std::move(*record));
        }
    }
    return found;
}

} // namespace PageSalvage
