// The writing half of the scripting callbacks (contract in DescriptorProcs.h).
#include "ResultCodes.h"
#include "host/run/HostHandles.h"
#include "host/scripting/DescriptorProcs.h"
#include "host/scripting/DescriptorStorage.h"
#include "host/scripting/DescriptorTokens.h"
#include "host/scripting/OwnedHandle.h"

namespace oxhost {
namespace {

OSErr Append(PIWriteDescriptor token, const DescriptorEntry& entry) {
    Descriptor* written = DescriptorTokens::Instance().Writer(token);
    if (written == nullptr) {
        return paramErr;
    }
    written->entries.push_back(entry);
    return noErr;
}

OSErr AppendObject(PIWriteDescriptor token, DescriptorKeyID key, DescriptorClassID classId,
                   PIDescriptorHandle handle) {
    if (DescriptorTokens::Instance().Writer(token) == nullptr) {
        return paramErr;
    }
    if (handle == nullptr || !HostHandles::Instance().IsLive(handle)) {
        return nilHandleErr;
    }
    Descriptor object;
    if (!LoadDescriptorHandle(handle, object) || object.Depth() >= kMaxDescriptorDepth) {
        return paramErr;
    }
    return Append(token, DescriptorEntry::Object(key, classId, object));
}

// Text and alias handles are taken over: `owned` disposes them on every path.
OSErr AppendBytes(PIWriteDescriptor token, DescriptorEntry entry, Handle handle) {
    OwnedHandle owned(HostHandles::Instance().IsLive(handle) ? handle : nullptr);
    if (!ReadHandleBytes(owned.Get(), entry.bytes)) {
        return nilHandleErr;
    }
    return Append(token, entry);
}

PIWriteDescriptor HOSTAPI_CALL OpenWrite() {
    return DescriptorTokens::Instance().OpenWriter();
}

OSErr HOSTAPI_CALL CloseWrite(PIWriteDescriptor token, PIDescriptorHandle* out) {
    DescriptorTokens& tokens = DescriptorTokens::Instance();
    Descriptor written;
    if (out != nullptr) {
        *out = nullptr;
    }
    if (!tokens.TakeWriter(token, written) || out == nullptr) {
        return paramErr;
    }
    *out = NewDescriptorHandle(written);
    if (*out == nullptr) {
        return memFullErr;
    }
    tokens.NoteHandedOut(*out);
    return noErr;
}

OSErr HOSTAPI_CALL PutInteger(PIWriteDescriptor token, DescriptorKeyID key, int32_t value) {
    return Append(token, DescriptorEntry::Integer(key, value));
}

OSErr HOSTAPI_CALL PutFloat(PIWriteDescriptor token, DescriptorKeyID key, const double* value) {
    if (value == nullptr) {
        return paramErr;
    }
    return Append(token, DescriptorEntry::Float(key, *value));
}

OSErr HOSTAPI_CALL PutUnitFloat(PIWriteDescriptor token, DescriptorKeyID key, DescriptorUnitID unit,
                                const double* value) {
    if (value == nullptr) {
        return paramErr;
    }
    return Append(token, DescriptorEntry::UnitFloat(key, unit, *value));
}

OSErr HOSTAPI_CALL PutBoolean(PIWriteDescriptor token, DescriptorKeyID key, Boolean value) {
    return Append(token, DescriptorEntry::Boolean(key, value != 0));
}

OSErr HOSTAPI_CALL PutText(PIWriteDescriptor token, DescriptorKeyID key, Handle text) {
    return AppendBytes(token, DescriptorEntry::Text(key, std::string()), text);
}

OSErr HOSTAPI_CALL PutAlias(PIWriteDescriptor token, DescriptorKeyID key, Handle alias) {
    return AppendBytes(token, DescriptorEntry::Alias(key, std::string()), alias);
}

OSErr HOSTAPI_CALL PutEnumerated(PIWriteDescriptor token, DescriptorKeyID key,
                                 DescriptorEnumTypeID type, DescriptorEnumID value) {
    return Append(token, DescriptorEntry::Enumerated(key, type, value));
}

OSErr HOSTAPI_CALL PutClass(PIWriteDescriptor token, DescriptorKeyID key,
                            DescriptorClassID classId) {
    return Append(token, DescriptorEntry::Class(key, classId));
}

OSErr HOSTAPI_CALL PutSimpleReference(PIWriteDescriptor token, DescriptorKeyID key,
                                      const PIDescriptorSimpleReference* reference) {
    if (reference == nullptr) {
        return paramErr;
    }
    DescriptorReference copy;
    copy.desiredClass = reference->desiredClass;
    copy.keyForm = reference->keyForm;
    copy.name.assign(reinterpret_cast<const char*>(&reference->keyData.name[1]),
                     reference->keyData.name[0]);
    copy.index = reference->keyData.index;
    copy.type = reference->keyData.type;
    copy.value = reference->keyData.value;
    return Append(token, DescriptorEntry::Reference(key, copy));
}

OSErr HOSTAPI_CALL PutObject(PIWriteDescriptor token, DescriptorKeyID key,
                             DescriptorClassID classId, PIDescriptorHandle object) {
    return AppendObject(token, key, classId, object);
}

OSErr HOSTAPI_CALL PutCount(PIWriteDescriptor token, DescriptorKeyID key, uint32_t count) {
    return Append(token, DescriptorEntry::Integer(key, int32_t(count)));
}

OSErr HOSTAPI_CALL PutString(PIWriteDescriptor token, DescriptorKeyID key,
                             const unsigned char* text) {
    if (text == nullptr) {
        return paramErr;
    }
    return Append(token, DescriptorEntry::Text(
                             key, std::string(reinterpret_cast<const char*>(text + 1), text[0])));
}

OSErr HOSTAPI_CALL PutScopedClass(PIWriteDescriptor token, DescriptorKeyID key,
                                  DescriptorClassID classId) {
    return Append(token, DescriptorEntry::Class(key, classId));
}

OSErr HOSTAPI_CALL PutScopedObject(PIWriteDescriptor token, DescriptorKeyID key,
                                   DescriptorClassID classId, PIDescriptorHandle object) {
    return AppendObject(token, key, classId, object);
}

WriteDescriptorProcs writeProcs = {
    kCurrentWriteDescriptorProcsVersion,
    kCurrentWriteDescriptorProcsCount,
    OpenWrite,
    CloseWrite,
    PutInteger,
    PutFloat,
    PutUnitFloat,
    PutBoolean,
    PutText,
    PutAlias,
    PutEnumerated,
    PutClass,
    PutSimpleReference,
    PutObject,
    PutCount,
    PutString,
    PutScopedClass,
    PutScopedObject,
};

}  // namespace

WriteDescriptorProcs* HostWriteDescriptorProcs() {
    return &writeProcs;
}

}  // namespace oxhost
