#include "importer/objects/object_reader.h"

#include "importer/objects/object_stream.h"

namespace velmora::objects {

namespace {

constexpr std::size_t kObjectHeaderSize = 6;
constexpr std::uint16_t kFileNameListPreK51Id = 61;
constexpr std::uint16_t kFileNameListId = 75;
constexpr std::uint16_t kCurrentFileNameListVersion = 2;

// Member ids of the list kinds: their bodies carry no header.
constexpr std::uint16_t kGroupId = 4;
constexpr std::uint16_t kLoopId = 5;
constexpr std::uint16_t kStartCriteriaId = 15;
constexpr std::uint16_t kProgramId = 40;
constexpr std::uint16_t kVoiceLimitId = 43;
constexpr std::uint16_t kZoneId = 44;

bool bitSet(std::span<const std::uint8_t> bits, unsigned i) { return ((bits[i / 8] >> (i % 8)) & 1) != 0; }

class Reader {
public:
    PatchObject full(ObjectStream& in) {
        if (in.remaining() < kObjectHeaderSize) {
            throw ObjectFormatError(kCutOffHeader);
        }
        const std::uint16_t id = in.u16();
        const std::int32_t length = in.i32();
        if (length < 0) {
            throw ObjectFormatError(kUnexpectedDataChunk);
        }
        ObjectStream content = in.sub(static_cast<std::size_t>(length));
        PatchObject obj = fresh(id);
        obj.length = length;
        body(obj, content, true);
        return obj;
    }

private:
    struct Depth {
        explicit Depth(int& d) : depth(d) {
            if (++depth > kMaxObjectDepth) {
                throw ObjectFormatError(kTooDeep);
            }
        }
        ~Depth() { --depth; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
        int& depth;
    };

    PatchObject fresh(std::uint16_t id) {
        if (++objects_ > kMaxObjectsPerTree) {
            throw ObjectFormatError(kTooMany);
        }
        PatchObject obj;
        obj.id = id;
        obj.kind = kindOf(id);
        return obj;
    }

    static void keepRest(std::span<const std::uint8_t>& into, ObjectStream& in) { into = in.bytes(in.remaining()); }

    // Reads a body; false when it has no header to bound it and its own
    // fields do not say where it ends.
    bool body(PatchObject& obj, ObjectStream& in, bool bounded) {
        const Depth depth(depth_);
        switch (obj.kind) {
            case ObjectKind::Structured: return structured(obj, in, bounded);
            case ObjectKind::PublicNotChunked:
            case ObjectKind::Public: return publicBody(obj, in, bounded);
            case ObjectKind::VoiceGroups: voiceGroups(obj, in); return true;
            case ObjectKind::GroupList: groupList(obj, in); return true;
            case ObjectKind::ZoneList: zoneList(obj, in); return true;
            case ObjectKind::ProgramList: programList(obj, in); return true;
            case ObjectKind::SlotList: slotList(obj, in); return true;
            case ObjectKind::StartCritList: bitList(obj, in, kStartCriteriaId, 4); return true;
            case ObjectKind::LoopArray: bitList(obj, in, kLoopId, 8); return true;
            case ObjectKind::BParamArray: paramArray(obj, in); return true;
            case ObjectKind::FileNameList: fileNameList(obj, in); return true;
            case ObjectKind::FileNameListPreK51:
            case ObjectKind::PrivateRaw:
                if (!bounded) {
                    return false;
                }
                keepRest(obj.privateData, in);
                return true;
        }
        return false;
    }

    bool structured(PatchObject& obj, ObjectStream& in, bool bounded) {
        obj.structured = in.u8();
        if (obj.structured == 0) {
            if (!bounded) {
                return false;
            }
            keepRest(obj.privateData, in);
            return true;
        }
        obj.version = in.u16();
        const std::int32_t privateLength = in.i32();
        if (privateLength > 0) {
            obj.privateData = in.bytes(static_cast<std::size_t>(privateLength));
        }
        const std::int32_t publicLength = in.i32();
        if (publicLength > 0) {
            ObjectStream pub = in.sub(static_cast<std::size_t>(publicLength));
            const PublicClass cls = publicClassOf(obj.id, obj.version);
            if (readsPublicClass(cls)) {
                obj.publicRecord = readPublicRecord(cls, pub);
            } else {
                keepRest(obj.publicData, pub);
            }
        }
        const std::int32_t childrenLength = in.i32();
        if (childrenLength > 0) {
            ObjectStream block = in.sub(static_cast<std::size_t>(childrenLength));
            do {
                obj.children.push_back(full(block));
            } while (block.remaining() >= 2);
        }
        return true;
    }

    bool publicBody(PatchObject& obj, ObjectStream& in, bool bounded) {
        obj.structured = in.u8();
        obj.version = in.u16();
        const PublicClass cls = publicClassOf(obj.id, obj.version);
        if (readsPublicClass(cls)) {
            obj.publicRecord = readPublicRecord(cls, in);
            return true;
        }
        if (!bounded) {
            return false;
        }
        keepRest(obj.publicData, in);
        return true;
    }

    // A list member: a body without header. When its end cannot be told, the
    // list keeps the rest of its own body as bytes and reads no further.
    bool member(PatchObject& list, std::uint16_t id, ObjectStream& in, std::int32_t index = -1) {
        ObjectStream trial = in;
        PatchObject m = fresh(id);
        m.memberIndex = index;
        if (!body(m, trial, false)) {
            keepRest(list.privateData, in);
            return false;
        }
        in = trial;
        list.children.push_back(std::move(m));
        return true;
    }

    void voiceGroups(PatchObject& obj, ObjectStream& in) {
        if (!member(obj, kVoiceLimitId, in)) {
            return;
        }
        const auto bits = in.bytes(16);
        for (unsigned i = 0; i < 128; ++i) {
            if (bitSet(bits, i) && !member(obj, kVoiceLimitId, in)) {
                return;
            }
        }
    }

    // Each member takes at least one byte, so a count larger than the data
    // fails on reading rather than on allocating.
    void groupList(PatchObject& obj, ObjectStream& in) {
        const std::int32_t count = in.i32();
        if (count < 0) {
            throw ObjectFormatError(kUnexpectedDataChunk);
        }
        for (std::int32_t i = 0; i < count; ++i) {
            if (!member(obj, kGroupId, in)) {
                return;
            }
        }
    }

    void zoneList(PatchObject& obj, ObjectStream& in) {
        const std::int32_t count = in.i32();
        if (count < 0) {
            throw ObjectFormatError(kUnexpectedDataChunk);
        }
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t group = in.i32();
            if (!member(obj, kZoneId, in, group)) {
                return;
            }
        }
    }

    void programList(PatchObject& obj, ObjectStream& in) {
        const std::uint16_t count = in.u16();
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::int16_t program = in.i16();
            if (!member(obj, kProgramId, in, program)) {
                return;
            }
        }
    }

    void slotList(PatchObject& obj, ObjectStream& in) {
        const auto bits = in.bytes(8);
        for (unsigned i = 0; i < 64; ++i) {
            if (bitSet(bits, i)) {
                obj.children.push_back(full(in));
            }
        }
    }

    void bitList(PatchObject& obj, ObjectStream& in, std::uint16_t memberId, unsigned entries) {
        const auto bits = in.bytes(1);
        for (unsigned i = 0; i < entries; ++i) {
            if (bitSet(bits, i) && !member(obj, memberId, in)) {
                return;
            }
        }
    }

    void paramArray(PatchObject& obj, ObjectStream& in) {
        const unsigned entries = obj.id == 58 ? 8 : obj.id == 59 ? 16 : 32;
        obj.structured = in.u8();
        obj.version = in.u16();
        for (unsigned i = 0; i < entries; ++i) {
            if (in.u8() != 0) {
                obj.children.push_back(full(in));
            }
        }
    }

    void fileNameList(PatchObject& obj, ObjectStream& in) {
        obj.version = in.u16();
        if (obj.version < kCurrentFileNameListVersion) {
            throw ObjectFormatError(kWrongValue);
        }
        if (obj.version > kCurrentFileNameListVersion) {
            throw ObjectFormatError(kFutureVersion);
        }
        keepRest(obj.privateData, in);
    }

    int depth_ = 0;
    std::size_t objects_ = 0;
};

}  // namespace

ObjectRead readObject(std::span<const std::uint8_t> bytes, ByteOrder order) {
    ObjectRead out;
    try {
        ObjectStream in(bytes, order);
        Reader reader;
        out.object = reader.full(in);
    } catch (const ObjectFormatError& e) {
        out.error = e.what();
    }
    return out;
}

TreeRead readObjectTree(const items::SharedBytes& stream, ByteOrder order) {
    TreeRead out;
    try {
        ObjectStream in(stream.span(), order);
        Reader reader;
        ObjectTree tree;
        tree.storage = stream;
        tree.root = reader.full(in);
        for (;;) {
            if (in.remaining() < kObjectHeaderSize) {
                out.error = "no file name list";
                return out;
            }
            ObjectStream ahead = in;
            const std::uint16_t id = ahead.u16();
            const std::int32_t length = ahead.i32();
            if (id == kFileNameListPreK51Id || id == kFileNameListId) {
                tree.fileNameList = reader.full(in);
                break;
            }
            if (length < 0) {
                throw ObjectFormatError(kUnexpectedDataChunk);
            }
            // Nothing after the program but the file name list is needed.
            ahead.bytes(static_cast<std::size_t>(length));
            in = ahead;
        }
        out.tree = std::move(tree);
    } catch (const ObjectFormatError& e) {
        out.error = e.what();
    }
    return out;
}

}  // namespace velmora::objects
