// Number and text conversions and checksums.

#include "zemihelper.h"


namespace {

const char *const controlNames[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS", "HT", "LF", "VT", "FF", "CR", "SO", "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US"};

// Reflected 0xA001 table of CRC-16/MODBUS.
const quint16 *modbusTable()
{
    static quint16 table[256];
    static bool filled = false;
    if (!filled) {
        for (int i = 0; i < 256; ++i) {
            quint16 crc = quint16(i);
            for (int bit = 0; bit < 8; ++bit) {
                crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
            }
            table[i] = crc;
        }
        filled = true;
    }
    return table;
}

} // namespace

int ZemiHelper::hexTextToInt(const QString &text)
{
    return text.toInt(nullptr, 16);
}

int ZemiHelper::decimalTextToInt(const QString &text)
{
    return text.toInt(nullptr, 10);
}

int ZemiHelper::binaryTextToInt(const QString &text)
{
    return text.toInt(nullptr, 2);
}

QString ZemiHelper::hexTextToBinaryText(const QString &text)
{
    return QString::number(hexTextToInt(text), 2).rightJustified(8, QLatin1Char('0'));
}

QString ZemiHelper::intToBinaryText8(int value)
{
    return QString::number(value, 2).rightJustified(8, QLatin1Char('0'));
}

QString ZemiHelper::intToBinaryText16(int value)
{
    return QString::number(value, 2).rightJustified(16, QLatin1Char('0'));
}

QString ZemiHelper::intToHexText(int value)
{
    const QString text = QString::number(value, 16);
    return text.length() == 1 ? QStringLiteral("0%1").arg(text) : text;
}

QString ZemiHelper::byteToDecimalText(int value)
{
    const QString text = QString::number(value & 0xFF);
    return text.length() == 1 ? QStringLiteral("0%1").arg(text) : text;
}

QByteArray ZemiHelper::intToBytesBE(int value)
{
    const quint32 v = quint32(value);
    QByteArray data(4, 0);
    data[0] = char((v >> 24) & 0xFF);
    data[1] = char((v >> 16) & 0xFF);
    data[2] = char((v >> 8) & 0xFF);
    data[3] = char(v & 0xFF);
    return data;
}

QByteArray ZemiHelper::intToBytesLE(int value)
{
    QByteArray data = intToBytesBE(value);
    std::reverse(data.begin(), data.end());
    return data;
}

int ZemiHelper::bytesToIntBE(const QByteArray &data)
{
    if (data.size() < 4) {
        return 0;
    }
    const quint32 v = (quint32(quint8(data[0])) << 24) | (quint32(quint8(data[1])) << 16)
                    | (quint32(quint8(data[2])) << 8) | quint32(quint8(data[3]));
    return int(v);
}

int ZemiHelper::bytesToIntLE(const QByteArray &data)
{
    if (data.size() < 4) {
        return 0;
    }
    QByteArray be = data.left(4);
    std::reverse(be.begin(), be.end());
    return bytesToIntBE(be);
}

QByteArray ZemiHelper::ushortToBytesBE(int value)
{
    QByteArray data(2, 0);
    data[0] = char((value >> 8) & 0xFF);
    data[1] = char(value & 0xFF);
    return data;
}

QByteArray ZemiHelper::ushortToBytesLE(int value)
{
    QByteArray data(2, 0);
    data[0] = char(value & 0xFF);
    data[1] = char((value >> 8) & 0xFF);
    return data;
}

int ZemiHelper::bytesToShortBE(const QByteArray &data)
{
    if (data.size() < 2) {
        return 0;
    }
    return qint16(quint16((quint8(data[0]) << 8) | quint8(data[1])));
}

int ZemiHelper::bytesToShortLE(const QByteArray &data)
{
    if (data.size() < 2) {
        return 0;
    }
    return qint16(quint16((quint8(data[1]) << 8) | quint8(data[0])));
}

QString ZemiHelper::xorText(const QString &text, quint8 key)
{
    QByteArray data = text.toLatin1();
    for (char &byte : data) {
        byte = char(quint8(byte) ^ key);
    }
    const int zero = data.indexOf('\0');
    return QString::fromLatin1(zero < 0 ? data : data.left(zero));
}

quint8 ZemiHelper::xorChecksum(const QByteArray &data)
{
    quint8 result = 0;
    for (const char byte : data) {
        result ^= quint8(byte);
    }
    return result;
}

quint8 ZemiHelper::sumChecksum(const QByteArray &data)
{
    quint8 result = 0;
    for (const char byte : data) {
        result = quint8(result + quint8(byte));
    }
    return result;
}

quint16 ZemiHelper::crc16Msb(const quint8 *data, int length, quint16 init, const quint16 *table)
{
    quint16 crc = init;
    for (int i = 0; i < length; ++i) {
        crc = quint16((crc << 8) ^ table[((crc >> 8) ^ data[i]) & 0xFF]);
    }
    return crc;
}

quint16 ZemiHelper::crc16Lsb(const quint8 *data, int length, quint16 init, const quint16 *table)
{
    quint16 crc = init;
    for (int i = 0; i < length; ++i) {
        crc = quint16((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
    }
    return crc;
}

quint16 ZemiHelper::crc16Modbus(const quint8 *data, int length)
{
    return crc16Lsb(data, length, 0xFFFF, modbusTable());
}

QByteArray ZemiHelper::modbusCrcBytes(const QByteArray &data)
{
    const quint16 crc = crc16Modbus(reinterpret_cast<const quint8 *>(data.constData()), data.size());
    QByteArray result(2, 0);
    result[0] = char(crc & 0xFF);
    result[1] = char(crc >> 8);
    return result;
}

QByteArray ZemiHelper::hexTextToBytes(const QString &text)
{
    QByteArray result;
    const int length = text.length();
    for (int i = 0; i < length;) {
        if (text.at(i) == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        if (i + 1 >= length) {
            break; // an odd last digit is dropped
        }
        const int high = hexDigitValue(text.at(i));
        const int low = hexDigitValue(text.at(i + 1));
        result.append(char(high * 16 + low));
        i += 2;
    }
    return result;
}

int ZemiHelper::hexDigitValue(QChar ch)
{
    const ushort c = ch.unicode();
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

QString ZemiHelper::bytesToHexText(const QByteArray &data)
{
    QString text;
    for (const char byte : data) {
        text += QStringLiteral("%1 ").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return text.trimmed();
}

QString ZemiHelper::bytesToEscapedAscii(const QByteArray &data)
{
    QString text;
    for (const char byte : data) {
        const quint8 b = quint8(byte);
        if (b < 0x20) {
            text += QLatin1Char('\\') + QLatin1String(controlNames[b]);
        } else if (b == 0x7F) {
            text += QLatin1String("\\x7F");
        } else if (b == 0x5C) {
            text += QLatin1String("\\x5C");
        } else if (b > 0x20 && b < 0x7F) {
            text += QLatin1Char(char(b));
        } else {
            text += QStringLiteral("\\x%1").arg(intToHexText(b));
        }
    }
    return text.trimmed();
}

QByteArray ZemiHelper::escapedAsciiToBytes(const QString &text)
{
    QByteArray data;
    const int length = text.length();
    for (int i = 0; i < length; ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\\') && i + 1 < length) {
            if (text.at(i + 1) == QLatin1Char('x') && i + 3 < length
                && hexDigitValue(text.at(i + 2)) >= 0 && hexDigitValue(text.at(i + 3)) >= 0) {
                data.append(char(hexDigitValue(text.at(i + 2)) * 16 + hexDigitValue(text.at(i + 3))));
                i += 3;
                continue;
            }
            // The longest name wins, so "\SOH" is not read as "\SO" followed by "H".
            int found = -1;
            int foundLength = 0;
            for (int b = 0; b < 32; ++b) {
                const QLatin1String name(controlNames[b]);
                if (name.size() > foundLength && text.midRef(i + 1, name.size()) == name) {
                    found = b;
                    foundLength = name.size();
                }
            }
            if (found >= 0) {
                data.append(char(found));
                i += foundLength;
                continue;
            }
        }
        data.append(char(ch.toLatin1()));
    }
    return data;
}
