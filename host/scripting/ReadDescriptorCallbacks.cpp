// The reading half of the scripting callbacks (contract in DescriptorProcs.h).
#include <algorithm>
#include <cstring>

#include "ResultCodes.h"
#include "host/scripting/DescriptorProcs.h"
#include "host/scripting/DescriptorStorage.h"
#include "host/scripting/DescriptorTokens.h"

namespace oxhost {
namespace {

// The current entry of a reader when it is of the kind, else null.
const DescriptorEntry* CurrentOf(PIReadDescriptor token, DescriptorKind kind) {
    const DescriptorReader* reader = DescriptorTokens::Instance().Reader(token);
    if (reader == nullptr || reader->Current() == nullptr || reader->Current()->kind != kind) {
        return nullptr;
    }
    return reader->Current();
}

OSErr HandOutBytes(const std::string& bytes, Handle* out) {
    *out = NewBytesHandle(bytes);
    return *out != nullptr ? OSErr(noErr) : OSErr(memFullErr);
}

PIReadDescriptor HOSTAPI_CALL OpenRead(PIDescriptorHandle handle, DescriptorKeyID* keys) {
    Descriptor descriptor;
    if (!LoadDescriptorHandle(handle, descriptor)) {
        return nullptr;
    }
    return DescriptorTokens::Instance().OpenReader(std::move(descriptor), keys);
}

OSErr HOSTAPI_CALL CloseRead(PIReadDescriptor token) {
    DescriptorTokens& tokens = DescriptorTokens::Instance();
    const DescriptorReader* reader = tokens.Reader(token);
    if (reader == nullptr) {
        return paramErr;
    }
    const OSErr result = reader->CloseResult();
    tokens.CloseReader(token);
    return result;
}

Boolean HOSTAPI_CALL GetKey(PIReadDescriptor token, DescriptorKeyID* key, DescriptorTypeID* type,
                            int32_t* flags) {
    DescriptorReader* reader = DescriptorTokens::Instance().Reader(token);
    DescriptorKeyID nextKey = 0;
    DescriptorTypeID nextType = 0;
    if (reader == nullptr || !reader->NextKey(nextKey, nextType)) {
        return false;
    }
    if (key != nullptr) {
        *key = nextKey;
    }
    if (type != nullptr) {
        *type = nextType;
    }
    if (flags != nullptr) {
        *flags = 0;
    }
    return true;
}

OSErr HOSTAPI_CALL GetInteger(PIReadDescriptor token, int32_t* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Integer);
    if (entry == nullptr || value == nullptr) {
        return paramErr;
    }
    *value = entry->integer;
    return noErr;
}

OSErr HOSTAPI_CALL GetFloat(PIReadDescriptor token, double* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Float);
    if (entry == nullptr || value == nullptr) {
        return paramErr;
    }
    *value = entry->number;
    return noErr;
}

OSErr HOSTAPI_CALL GetUnitFloat(PIReadDescriptor token, DescriptorUnitID* unit, double* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::UnitFloat);
    if (entry == nullptr || value == nullptr) {
        return paramErr;
    }
    if (unit != nullptr) {
        *unit = entry->code;
    }
    *value = entry->number;
    return noErr;
}

OSErr HOSTAPI_CALL GetBoolean(PIReadDescriptor token, Boolean* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Boolean);
    if (entry == nullptr || value == nullptr) {
        return paramErr;
    }
    *value = entry->integer != 0 ? 1 : 0;
    return noErr;
}

OSErr HOSTAPI_CALL GetText(PIReadDescriptor token, Handle* text) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Text);
    if (entry == nullptr || text == nullptr) {
        return paramErr;
    }
    return HandOutBytes(entry->bytes, text);
}

OSErr HOSTAPI_CALL GetAlias(PIReadDescriptor token, Handle* alias) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Alias);
    if (entry == nullptr || alias == nullptr) {
        return paramErr;
    }
    return HandOutBytes(entry->bytes, alias);
}

OSErr HOSTAPI_CALL GetEnumerated(PIReadDescriptor token, DescriptorEnumID* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Enumerated);
    if (entry == nullptr || value == nullptr) {
        return paramErr;
    }
    *value = entry->enumValue;
    return noErr;
}

OSErr HOSTAPI_CALL GetClass(PIReadDescriptor token, DescriptorClassID* classId) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Class);
    if (entry == nullptr || classId == nullptr) {
        return paramErr;
    }
    *classId = entry->code;
    return noErr;
}

OSErr HOSTAPI_CALL GetSimpleReference(PIReadDescriptor token,
                                      PIDescriptorSimpleReference* reference) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Reference);
    if (entry == nullptr || reference == nullptr) {
        return paramErr;
    }
    const DescriptorReference& source = entry->reference;
    *reference = PIDescriptorSimpleReference{};
    reference->desiredClass = source.desiredClass;
    reference->keyForm = source.keyForm;
    const size_t length = std::min<size_t>(source.name.size(), 255);
    reference->keyData.name[0] = uint8_t(length);
    std::memcpy(&reference->keyData.name[1], source.name.data(), length);
    reference->keyData.index = source.index;
    reference->keyData.type = source.type;
    reference->keyData.value = source.value;
    return noErr;
}

OSErr HOSTAPI_CALL GetObject(PIReadDescriptor token, DescriptorClassID* classId,
                             PIDescriptorHandle* object) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Object);
    if (entry == nullptr || object == nullptr) {
        return paramErr;
    }
    if (classId != nullptr) {
        *classId = entry->code;
    }
    *object = NewDescriptorHandle(entry->object);
    return *object != nullptr ? OSErr(noErr) : OSErr(memFullErr);
}

OSErr HOSTAPI_CALL GetCount(PIReadDescriptor token, uint32_t* count) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Integer);
    if (entry == nullptr || count == nullptr) {
        return paramErr;
    }
    *count = uint32_t(entry->integer);
    return noErr;
}

OSErr HOSTAPI_CALL GetString(PIReadDescriptor token, Str255* text) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Text);
    if (entry == nullptr || text == nullptr) {
        return paramErr;
    }
    const size_t length = std::min<size_t>(entry->bytes.size(), 255);
    (*text)[0] = uint8_t(length);
    std::memcpy(&(*text)[1], entry->bytes.data(), length);
    return noErr;
}

OSErr HOSTAPI_CALL GetPinnedInteger(PIReadDescriptor token, int32_t min, int32_t max,
                                    int32_t* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Integer);
    if (entry == nullptr || value == nullptr || min > max) {
        return paramErr;
    }
    *value = std::clamp(entry->integer, min, max);
    return noErr;
}

OSErr PinNumber(double number, const double* min, const double* max, double* value) {
    if (min != nullptr && max != nullptr && *min > *max) {
        return paramErr;
    }
    if (min != nullptr && number < *min) {
        number = *min;
    }
    if (max != nullptr && number > *max) {
        number = *max;
    }
    *value = number;
    return noErr;
}

OSErr HOSTAPI_CALL GetPinnedFloat(PIReadDescriptor token, const double* min, const double* max,
                                  double* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::Float);
    if (entry == nullptr || value == nullptr) {
        return paramErr;
    }
    return PinNumber(entry->number, min, max, value);
}

OSErr HOSTAPI_CALL GetPinnedUnitFloat(PIReadDescriptor token, const double* min, const double* max,
                                      DescriptorUnitID* unit, double* value) {
    const DescriptorEntry* entry = CurrentOf(token, DescriptorKind::UnitFloat);
    if (entry == nullptr || value == nullptr) {
        return paramErr;
    }
    if (unit != nullptr) {
        *unit = entry->code;
    }
    return PinNumber(entry->number, min, max, value);
}

ReadDescriptorProcs readProcs = {
    kCurrentReadDescriptorProcsVersion,
    kCurrentReadDescriptorProcsCount,
    OpenRead,
    CloseRead,
    GetKey,
    GetInteger,
    GetFloat,
    GetUnitFloat,
    GetBoolean,
    GetText,
    GetAlias,
    GetEnumerated,
    GetClass,
    GetSimpleReference,
    GetObject,
    GetCount,
    GetString,
    GetPinnedInteger,
    GetPinnedFloat,
    GetPinnedUnitFloat,
};

}  // namespace

ReadDescriptorProcs* HostReadDescriptorProcs() {
    return &readProcs;
}

}  // namespace oxhost
