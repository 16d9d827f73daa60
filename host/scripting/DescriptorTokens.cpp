#include "host/scripting/DescriptorTokens.h"

#include <utility>

namespace oxhost {

DescriptorTokens& DescriptorTokens::Instance() {
    static DescriptorTokens tokens;
    return tokens;
}

PIReadDescriptor DescriptorTokens::OpenReader(Descriptor descriptor,
                                              const DescriptorKeyID* expectedKeys) {
    auto reader = std::make_unique<DescriptorReader>(std::move(descriptor), expectedKeys);
    PIReadDescriptor token = reinterpret_cast<PIReadDescriptor>(reader.get());
    readers[token] = std::move(reader);
    return token;
}

DescriptorReader* DescriptorTokens::Reader(PIReadDescriptor token) {
    auto it = readers.find(token);
    return it == readers.end() ? nullptr : it->second.get();
}

bool DescriptorTokens::CloseReader(PIReadDescriptor token) {
    return readers.erase(token) != 0;
}

PIWriteDescriptor DescriptorTokens::OpenWriter() {
    auto writer = std::make_unique<Descriptor>();
    PIWriteDescriptor token = reinterpret_cast<PIWriteDescriptor>(writer.get());
    writers[token] = std::move(writer);
    return token;
}

Descriptor* DescriptorTokens::Writer(PIWriteDescriptor token) {
    auto it = writers.find(token);
    return it == writers.end() ? nullptr : it->second.get();
}

bool DescriptorTokens::TakeWriter(PIWriteDescriptor token, Descriptor& written) {
    auto it = writers.find(token);
    if (it == writers.end()) {
        return false;
    }
    written = std::move(*it->second);
    writers.erase(it);
    return true;
}

void DescriptorTokens::DiscardAll() {
    readers.clear();
    writers.clear();
}

}  // namespace oxhost
