// The test protocol as a plug-in. Built several times with different names so that tests can
// load folders of plug-ins that agree or disagree on protocol names.
#include <cstring>

#include "platform/text.h"
#include "shared/dialog_page.h"
#include "shared/dialog_template.h"
#include "shared/protocol_object.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"
#include "shared/value_format.h"
#include "tests/support/test_protocol.h"

namespace {

ModuleHandle moduleHandle;

uint32_t PayloadU32(const uint8_t* bytes, int length) {
    if (length < 9) return 0;
    const uint8_t* p = bytes + 4;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t PayloadU32(const CMessageNode& node) { return PayloadU32(node.FrameBytes(), node.FrameLength()); }

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

// The value's page: a table and a few labelled fields.
constexpr int kValuePage = 100;
constexpr int kTypeField = 1001;
constexpr int kLengthField = 1002;
constexpr int kEvenBox = 1003;
constexpr int kValueList = 1357;

constexpr ControlTemplate kValueControls[] = {
    {1000, ControlKind::StaticText, u"Type:", {4, 4, 40, 9}},
    {kTypeField, ControlKind::Edit, u"", {48, 3, 40, 12}, STYLE_READ_ONLY},
    {1004, ControlKind::StaticText, u"Length:", {4, 18, 40, 9}},
    {kLengthField, ControlKind::Edit, u"", {48, 17, 40, 12}, STYLE_READ_ONLY},
    {kEvenBox, ControlKind::CheckBox, u"Even value", {96, 4, 60, 10}},
    {kValueList, ControlKind::ListControl, u"", {4, 32, 160, 60}},
};
constexpr DialogTemplate kDialogs[] = {{kValuePage, 170, 96, kValueControls}};
constexpr ResourceTable kResources{kDialogs, {}, {}};

class CTestValueNode : public CTestNode {
public:
    CTestValueNode() : CTestNode(u"VALUE", kTestValueType) {}

    int ResourceDialogId() const override { return kValuePage; }
    void InitPage(CDialogPage& page) override {
        page.AddColumn(kValueList, u"Param", 60);
        page.AddColumn(kValueList, u"Value", 80);
        page.InsertRow(kValueList, 0, u"Value");
        page.InsertRow(kValueList, 1, u"Raw");
    }
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override {
        const bool complete = length >= 9;
        const uint32_t raw = PayloadU32(bytes, length);
        SetDlgText(page, kTypeField, complete ? u"%u" : nullptr, complete ? bytes[3] : 0);
        SetDlgText(page, kLengthField, u"%d", length);
        page.SetChecked(kEvenBox, complete && raw % 2 == 0);
        page.SetCellText(kValueList, 0, 1, complete ? platform::FormatW(u"%.3f", raw * 0.001) : u"");
        page.SetCellText(kValueList, 1, 1, complete ? platform::FormatW(u"0x%08X", raw) : u"");
    }

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

VELTRO_PLUGIN_EXPORT const ResourceTable* Resources() { return &kResources; }

VELTRO_PLUGIN_EXPORT CProtocolObject* Initialize(uint32_t, ModuleHandle module) {
    moduleHandle = module;
    return &protocolObject;
}
