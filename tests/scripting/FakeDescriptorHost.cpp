#include "FakeDescriptorHost.h"

#include <cstring>

#include "ResultCodes.h"

namespace scripttest {
namespace {

FakeDescriptorHost* current = nullptr;

using Reader = FakeDescriptorHost::Reader;
using Writer = FakeDescriptorHost::Writer;

Reader* ReaderOf(PIReadDescriptor token) {
    return reinterpret_cast<Reader*>(token);
}
Writer* WriterOf(PIWriteDescriptor token) {
    return reinterpret_cast<Writer*>(token);
}

// Reading

PIReadDescriptor OpenRead(PIDescriptorHandle descriptor, DescriptorKeyID* keys) {
    std::vector<DescriptorKeyID> list;
    for (DescriptorKeyID* key = keys; key != nullptr && *key != 0; ++key) {
        list.push_back(*key);
    }
    current->keyLists.push_back(list);
    const bool nested = descriptor != current->parameters.descriptor;
    if (current->refuseReaders || (nested && current->refuseNestedReaders) ||
        !current->IsDescriptor(descriptor)) {
        return nullptr;
    }
    auto reader = std::make_unique<Reader>();
    reader->entries = current->EntriesOf(descriptor);
    Reader* token = reader.get();
    current->openReaders[token] = std::move(reader);
    ++current->readersOpened;
    return reinterpret_cast<PIReadDescriptor>(token);
}

OSErr CloseRead(PIReadDescriptor token) {
    ++current->readersClosed;
    current->openReaders.erase(ReaderOf(token));
    return noErr;
}

Boolean GetKey(PIReadDescriptor token, DescriptorKeyID* key, DescriptorTypeID* type,
               int32_t* flags) {
    Reader* reader = ReaderOf(token);
    if (reader->next >= reader->entries.size()) {
        reader->current = nullptr;
        return false;
    }
    reader->current = &reader->entries[reader->next++];
    *key = reader->current->key;
    *type = reader->current->type;
    *flags = 0;
    return true;
}

const Entry* CurrentOfType(PIReadDescriptor token, DescriptorTypeID type) {
    const Entry* entry = ReaderOf(token)->current;
    return entry != nullptr && entry->type == type ? entry : nullptr;
}

OSErr GetInteger(PIReadDescriptor token, int32_t* value) {
    const Entry* entry = CurrentOfType(token, typeInteger);
    if (entry == nullptr) {
        return paramErr;
    }
    *value = entry->integer;
    return noErr;
}

OSErr GetBoolean(PIReadDescriptor token, Boolean* value) {
    const Entry* entry = CurrentOfType(token, typeBoolean);
    if (entry == nullptr) {
        return paramErr;
    }
    *value = entry->boolean;
    return noErr;
}

OSErr GetText(PIReadDescriptor token, Handle* text) {
    const Entry* entry = CurrentOfType(token, typeText);
    if (entry == nullptr || current->giveNoText) {
        *text = nullptr;
        return paramErr;
    }
    *text = current->handles.New(int32_t(entry->text.size()));
    current->descriptors.erase(*text);
    std::memcpy(current->handles.Data(*text), entry->text.data(), entry->text.size());
    return noErr;
}

OSErr GetObject(PIReadDescriptor token, DescriptorClassID* objectClass,
                PIDescriptorHandle* object) {
    const Entry* entry = CurrentOfType(token, typeObject);
    if (entry == nullptr || current->giveNoObject) {
        *object = nullptr;
        return paramErr;
    }
    if (objectClass != nullptr) {
        *objectClass = entry->objectClass;
    }
    *object = current->MakeDescriptor(entry->object);
    return noErr;
}

// Callbacks Tintflood never calls; present because a usable block has them all.
template <typename... Arguments>
OSErr Refuse(Arguments...) {
    return paramErr;
}

// Writing

PIWriteDescriptor OpenWrite() {
    if (current->refuseWriters || current->writersOpened == current->writersToOpenBeforeRefusing) {
        return nullptr;
    }
    auto writer = std::make_unique<Writer>();
    Writer* token = writer.get();
    current->openWriters[token] = std::move(writer);
    ++current->writersOpened;
    return reinterpret_cast<PIWriteDescriptor>(token);
}

OSErr CloseWrite(PIWriteDescriptor token, PIDescriptorHandle* descriptor) {
    ++current->writersClosed;
    Entries entries = WriterOf(token)->entries;
    current->openWriters.erase(WriterOf(token));
    if (current->closeWriterResult != noErr) {
        return current->closeWriterResult;
    }
    *descriptor = current->MakeDescriptor(entries);
    return noErr;
}

OSErr PutInteger(PIWriteDescriptor token, DescriptorKeyID key, int32_t value) {
    WriterOf(token)->entries.push_back(Entry::Integer(key, value));
    return noErr;
}

OSErr PutBoolean(PIWriteDescriptor token, DescriptorKeyID key, Boolean value) {
    WriterOf(token)->entries.push_back(Entry::Bool(key, value));
    return noErr;
}

// This host takes the text handle over.
OSErr PutText(PIWriteDescriptor token, DescriptorKeyID key, Handle text) {
    const int32_t size = current->handles.Size(text);
    const char* bytes = reinterpret_cast<const char*>(current->handles.Data(text));
    WriterOf(token)->entries.push_back(
        Entry::Text(key, bytes != nullptr ? std::string(bytes, size_t(size)) : std::string()));
    current->handles.Dispose(text);
    return noErr;
}

// The object handle stays the caller's.
OSErr PutObject(PIWriteDescriptor token, DescriptorKeyID key, DescriptorClassID objectClass,
                PIDescriptorHandle object) {
    if (current->putObjectResult != noErr) {
        return current->putObjectResult;
    }
    WriterOf(token)->entries.push_back(Entry::Object(key, objectClass, current->EntriesOf(object)));
    return noErr;
}

}  // namespace

FakeDescriptorHost::FakeDescriptorHost(FakeHostHandles& handles)
    : parameters{kCurrentDescriptorParametersVersion,
                 plugInDialogDontDisplay,
                 plugInDialogRequired,
                 nullptr,
                 &writeProcs,
                 &readProcs},
      readProcs{kCurrentReadDescriptorProcsVersion,
                kCurrentReadDescriptorProcsCount,
                OpenRead,
                CloseRead,
                GetKey,
                GetInteger,
                Refuse,
                Refuse,
                GetBoolean,
                GetText,
                Refuse,
                Refuse,
                Refuse,
                Refuse,
                GetObject,
                Refuse,
                Refuse,
                Refuse,
                Refuse,
                Refuse},
      writeProcs{kCurrentWriteDescriptorProcsVersion,
                 kCurrentWriteDescriptorProcsCount,
                 OpenWrite,
                 CloseWrite,
                 PutInteger,
                 Refuse,
                 Refuse,
                 PutBoolean,
                 PutText,
                 Refuse,
                 Refuse,
                 Refuse,
                 Refuse,
                 PutObject,
                 Refuse,
                 Refuse,
                 Refuse,
                 Refuse},
      handles(handles) {
    current = this;
}

FakeDescriptorHost::~FakeDescriptorHost() {
    current = nullptr;
}

Handle FakeDescriptorHost::MakeDescriptor(const Entries& entries) {
    Handle handle = handles.New(0);
    if (handle != nullptr) {
        descriptors[handle] = entries;
    }
    return handle;
}

bool FakeDescriptorHost::IsDescriptor(Handle handle) const {
    return handle != nullptr && handles.IsLive(handle) && descriptors.count(handle) != 0;
}

Entries FakeDescriptorHost::EntriesOf(Handle descriptor) const {
    return IsDescriptor(descriptor) ? descriptors.at(descriptor) : Entries();
}

}  // namespace scripttest
