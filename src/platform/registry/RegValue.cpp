#include "platform/registry/RegValue.h"

namespace platform {

RegValue RegValue::fromText(const QString& text, RegType type) {
    RegValue v;
    v.type = type;
    v.text = text;
    return v;
}

RegValue RegValue::fromDword(quint32 number) {
    RegValue v;
    v.type = RegType::Dword;
    v.number = number;
    return v;
}

RegValue RegValue::fromBytes(const QByteArray& bytes) {
    RegValue v;
    v.type = RegType::Binary;
    v.bytes = bytes;
    return v;
}

qsizetype RegValue::size() const {
    switch (type) {
    case RegType::Sz:
    case RegType::ExpandSz:
        return (text.size() + 1) * 2;
    case RegType::Dword:
        return 4;
    case RegType::Binary:
    case RegType::Other:
        return bytes.size();
    case RegType::None:
        break;
    }
    return 0;
}

} // namespace platform
