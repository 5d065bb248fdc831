// The test protocol as a plug-in. Built several times with different names so that tests can
// load folders of plug-ins that agree or disagree on protocol names.
#include <cstring>

#include "shared/protocol_object.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"
#include "tests/support/test_protocol.h"

namespace {

ModuleHandle moduleHandle;

uint32_t PayloadU32(const CMessageNode& node) {
    if (node.FrameLength() < 9) return 0;
    const uint8_t* p = node.FrameBytes() + 4;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

class CTestNode : public CMessageNode {
public:
    CTestNode(const char16_t* label, uint8_t type) : label(label), type(type) {}

    bool Accept(const uint8_t* bytes, int length) override { return length >= 5 && bytes[3] == type; }
    ModuleHandle ResourceModule() const override { return moduleHandle; }
    const char16_t* Label() const override { return label; }
    const char16_t* Description() const override { return label; }
    const char16_t* Name() const override { return label; }
    uint32_t OwnMask() const override { return MASK_ORDINARY; }

protected:
    CStorageValue* Entry(CStorageDatabase* database, uint16_t id) const { return database->FindAs<CStorageValue>(id); }

private:
    const char16_t* label;
    uint8_t type;
};

class CTestTimeNode : public CTestNode {
public:
    CTestTimeNode() : CTestNode(u"TIME", kTestTimeType) {}

    bool SameEpoch(CStorageDatabase* database) override {
        CStorageValue* time = Entry(database, kTestTimeId);
        return !time || time->IsSameValue(PayloadU32(*this) * 0.001);
    }
    bool Decode(CStorageDatabase* database) override {
        CStorageValue* time = Entry(database, kTestTimeId);
        return time && time->SetValue(PayloadU32(*this) * 0.001);
    }
};

class CTestValueNode : public CTestNode {
public:
    CTestValueNode() : CTestNode(u"VALUE", kTestValueType) {}

    bool Decode(CStorageDatabase* database) override {
        CStorageValue* value = Entry(database, kTestValueId);
        return value && value->SetValue(PayloadU32(*this) * 0.001);
    }
};

// A node that only records that this plug-in populated a tree.
class CMarkerNode : public CTestNode {
public:
    CMarkerNode() : CTestNode(TEST_PLUGIN_MARKER, 0xFF) {}
};

class CTestProtocol : public CProtocolObject {
public:
    const char16_t* GetVersion() const override { return u"3.05"; }
    const char16_t* GetName() const override { return TEST_PROTOCOL_NAME; }
    const char16_t* GetProtocolName() const override { return TEST_PROTOCOL_NAME; }
    FrameCheckFn GetFrameCheck() const override { return TestCheckFrame; }
    int GetRootDialogId() const override { return 657; }
    void PopulateTree(const char16_t* protocolName, CMessageNode* root) override {
        if (std::u16string_view(protocolName) != TEST_PROTOCOL_NAME) return;
        root->AddChild(new CTestTimeNode, true, false);
        root->AddChild(new CTestValueNode, true, false);
        root->AddChild(new CMarkerNode, true, false);
    }
} protocolObject;

}  // namespace

VELTRO_PLUGIN_EXPORT CProtocolObject* Initialize(uint32_t, ModuleHandle module) {
    moduleHandle = module;
    return &protocolObject;
}
