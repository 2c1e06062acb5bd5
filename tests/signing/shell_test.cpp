// The control's shell: drawing, persistence, the About box, the properties verb and page, the
// module's resources and class objects.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/framework/image.h"
#include "platform/framework/ole_control.h"
#include "platform/framework/ole_proppage.h"
#include "platform/framework/property_frame.h"
#include "platform/framework/raster_target.h"
#include "platform/framework/recording_target.h"
#include "tests/signing/shell_fixture.h"
#include "platform/ui/service.h"
#include "tests/support/ui_script.h"

namespace testing_support {
namespace {

const CLSID kControlClsid = MakeGuid("{97385D32-8FC9-4930-9F33-17CD1CC91BDC}");
const CLSID kPageClsid = MakeGuid("{1CD2EE44-002A-48ED-B665-E8DACD547A5D}");
constexpr DWORD kVersion = 0x00010000;

using framework::Pixel;
constexpr Pixel kBackground{255, 0, 255, 255};  // never drawn by the control
constexpr Pixel kWhite{255, 255, 255, 255};
constexpr Pixel kBlack{0, 0, 0, 255};

HRESULT Draw(IViewObject* view, CDC& dc, const RECT& bounds) {
    return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.GetSafeHdc(), &bounds, nullptr, nullptr, 0);
}

// ---- drawing ----

struct BoundsCase {
    const char* name;
    RECT bounds;
};

void PrintTo(const BoundsCase& c, std::ostream* os) { *os << c.name; }

class DrawingTest : public ShellTest, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(DrawingTest, WhiteFillAndAnEllipseTouchingTheBoundsAndNothingElse) {
    const RECT b = GetParam().bounds;
    com::ComPtr<IViewObject> view = module_.Create<IViewObject>(kControlClsid, IID_IViewObject);
    ASSERT_TRUE(view);
    framework::RasterTarget target(64, 40, kBackground);
    CDC dc(target);
    ASSERT_EQ(Draw(view.get(), dc, b), S_OK);
    const framework::Image& image = target.image();
    // Kept in the build tree for a person to look at.
    const std::filesystem::path drawings = std::filesystem::path(CS_BUILD_DIR) / "drawings";
    std::filesystem::create_directories(drawings);
    ASSERT_TRUE(framework::WritePng(image, (drawings / (std::string("control_") + GetParam().name + ".png")).string()));

    bool edge[4] = {};  // left, top, right, bottom column or row holds outline
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel p = image.At(x, y);
            const bool inside = x >= b.left && x < b.right && y >= b.top && y < b.bottom;
            if (!inside) {
                ASSERT_EQ(p, kBackground) << "outside the bounds at " << x << "," << y;
                continue;
            }
            ASSERT_TRUE(p == kWhite || p == kBlack) << "at " << x << "," << y;
            if (p == kBlack) {
                edge[0] |= x == b.left;
                edge[1] |= y == b.top;
                edge[2] |= x == b.right - 1;
                edge[3] |= y == b.bottom - 1;
            }
        }
    }
    EXPECT_TRUE(edge[0] && edge[1] && edge[2] && edge[3]);
    // The corners lie outside the ellipse, its centre inside: both white.
    EXPECT_EQ(image.At(b.left, b.top), kWhite);
    EXPECT_EQ(image.At(b.right - 1, b.bottom - 1), kWhite);
    EXPECT_EQ(image.At((b.left + b.right) / 2, (b.top + b.bottom) / 2), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Bounds, DrawingTest,
                         ::testing::Values(BoundsCase{"Square", {4, 4, 24, 24}}, BoundsCase{"Wide", {2, 10, 62, 22}},
                                           BoundsCase{"Tall", {30, 0, 40, 40}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, EmptyBoundsDrawWithoutErrorAndChangeNoPixel) {
    com::ComPtr<IViewObject> view = module_.Create<IViewObject>(kControlClsid, IID_IViewObject);
    ASSERT_TRUE(view);
    for (const RECT b : {RECT{5, 5, 5, 5}, RECT{5, 5, 20, 5}, RECT{5, 5, 5, 20}, RECT{0, 0, 0, 0}}) {
        framework::RasterTarget target(30, 30, kBackground);
        CDC dc(target);
        EXPECT_EQ(Draw(view.get(), dc, b), S_OK);
        for (const Pixel& p : target.image().Pixels()) ASSERT_EQ(p, kBackground);
    }
}

TEST_F(ShellTest, DrawsWithTheContextsCurrentPenAndBrushAndSelectsNothing) {
    com::ComPtr<IViewObject> view = module_.Create<IViewObject>(kControlClsid, IID_IViewObject);
    ASSERT_TRUE(view);
    framework::RecordingTarget target;
    CDC dc(target);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    dc.SelectObject(&red);
    dc.SelectStockObject(GRAY_BRUSH);
    const std::size_t before = target.ops().size();
    const RECT b{1, 2, 30, 20};
    ASSERT_EQ(Draw(view.get(), dc, b), S_OK);

    ASSERT_EQ(target.ops().size(), before + 2);
    const framework::DrawOp& fill = target.ops()[before];
    const framework::DrawOp& ellipse = target.ops()[before + 1];
    EXPECT_EQ(fill.kind, framework::DrawOp::FillRect);
    EXPECT_EQ(0, std::memcmp(&fill.rect, &b, sizeof b));
    EXPECT_EQ(fill.brush.stockId, WHITE_BRUSH);
    EXPECT_EQ(ellipse.kind, framework::DrawOp::Ellipse);
    EXPECT_EQ(0, std::memcmp(&ellipse.rect, &b, sizeof b));
    EXPECT_EQ(ellipse.pen.color, RGB(255, 0, 0));
    EXPECT_EQ(ellipse.brush.stockId, GRAY_BRUSH);
}

// ---- persistence ----

COleControl* ControlOf(IUnknown* unknown) { return dynamic_cast<COleControl*>(framework::CmdTargetOf(unknown)); }

TEST_F(ShellTest, SaveThenLoadKeepsTheVersion) {
    com::ComPtr<IPersistPropertyBag> saved = module_.Create<IPersistPropertyBag>(kControlClsid, IID_IPersistPropertyBag);
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->InitNew(), S_OK);
    com::ComPtr<framework::PropertyBag> bag(new framework::PropertyBag);
    ASSERT_EQ(saved->Save(bag.get(), TRUE, TRUE), S_OK);
    LONG value = 0;
    ASSERT_TRUE(bag->GetLong("_Version", &value));
    EXPECT_EQ(static_cast<DWORD>(value), kVersion);
    for (const char* item : {"_ExtentX", "_ExtentY", "_StockProps"}) EXPECT_TRUE(bag->Has(item)) << item;

    com::ComPtr<IPersistPropertyBag> loaded = module_.Create<IPersistPropertyBag>(kControlClsid, IID_IPersistPropertyBag);
    ASSERT_EQ(loaded->Load(bag.get(), nullptr), S_OK);
    EXPECT_EQ(ControlOf(loaded.get())->GetLoadedVersion(), kVersion);
}

TEST_F(ShellTest, LoadingWithoutAVersionGivesTheCurrentOneAndOlderDataIsSavedAsCurrent) {
    struct Case {
        const char* name;
        std::optional<LONG> stored;
        DWORD loaded;
    };
    const Case cases[] = {{"missing", std::nullopt, kVersion}, {"older", 0x00000005, 0x00000005}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        com::ComPtr<framework::PropertyBag> bag(new framework::PropertyBag);
        if (c.stored) {
            VARIANT v;
            VariantInit(&v);
            v.vt = VT_I4;
            v.lVal = *c.stored;
            ASSERT_EQ(bag->Write(u"_Version", &v), S_OK);
        }
        com::ComPtr<IPersistPropertyBag> control = module_.Create<IPersistPropertyBag>(kControlClsid, IID_IPersistPropertyBag);
        ASSERT_EQ(control->Load(bag.get(), nullptr), S_OK);
        EXPECT_EQ(ControlOf(control.get())->GetLoadedVersion(), c.loaded);
        com::ComPtr<framework::PropertyBag> again(new framework::PropertyBag);
        ASSERT_EQ(control->Save(again.get(), TRUE, TRUE), S_OK);
        LONG value = 0;
        ASSERT_TRUE(again->GetLong("_Version", &value));
        EXPECT_EQ(static_cast<DWORD>(value), kVersion);
    }
}

// ---- About box, properties verb and page ----

TEST_F(ShellTest, AboutBoxShowsDialogOneAndReturnsOnOkOrTheCloseBox) {
    for (const char* answer : {"click OK", "close"}) {
        UiScript script({answer});
        com::ComPtr<IDispatch> control = module_.Create<IDispatch>(kControlClsid, IID_IDispatch);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        ASSERT_EQ(control->Invoke(DISPID_ABOUTBOX, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
        EXPECT_EQ(script.Shown("dialog 1 caption=\"About Signing Control\"").size(), 1u) << answer;
        EXPECT_FALSE(ui::ScriptRanOut());
    }
    const ui::DialogTemplate* about = framework::FindDialog(module_.Resources(), 1);
    ASSERT_NE(about, nullptr);
    std::vector<std::string> texts;
    for (const ui::ControlTemplate& c : about->controls) texts.push_back(c.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "Signing Control, Version 1.0", "OK"}));
    EXPECT_TRUE(about->controls[2].Has(ui::kDefaultButton));
    EXPECT_EQ(about->controls[2].id, 1);
}

TEST_F(ShellTest, PropertiesVerbShowsTheFrameWithTheGeneralPage) {
    for (LONG verb : {LONG{1}, OLEIVERB_PROPERTIES}) {
        UiScript script({"click OK"});
        com::ComPtr<IOleObject> control = module_.Create<IOleObject>(kControlClsid, IID_IOleObject);
        ASSERT_EQ(control->DoVerb(verb, nullptr, nullptr, 0, nullptr, nullptr), S_OK);
        const auto shown = script.Shown("dialog PropertyFrame caption=\"Signing Control Properties\"");
        ASSERT_EQ(shown.size(), 1u) << verb;
        EXPECT_NE(shown[0].find("answer=ok"), std::string::npos);
    }
    // The frame's tabs and page, from the module's page object.
    com::ComPtr<IUnknown> page = module_.Create<IUnknown>(kPageClsid, IID_IUnknown);
    auto* pageObject = dynamic_cast<COlePropertyPage*>(framework::CmdTargetOf(page.get()));
    ASSERT_NE(pageObject, nullptr);
    EXPECT_STREQ(pageObject->GetRuntimeClass()->m_lpszClassName, "CSigningPropPage");
    const ui::DialogTemplate frame = framework::BuildPropertyFrame("Signing Control", {pageObject});
    std::vector<std::string> tabs, statics;
    for (const ui::ControlTemplate& c : frame.controls) {
        if (c.kind == ui::ControlClass::Frame) tabs.push_back(c.text);
        if (c.kind == ui::ControlClass::Static) statics.push_back(c.text);
    }
    EXPECT_EQ(tabs, std::vector<std::string>{"General"});
    EXPECT_EQ(statics, std::vector<std::string>{
                           "TODO: Place controls to manipulate properties of Signing Control on this dialog."});
}

// A container whose control site shows its own property frame.
class SiteWithFrame final : public IOleClientSite, public IOleControlSite {
public:
    int framesShown = 0;
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *object = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleControlSite)
            *object = static_cast<IOleControlSite*>(this);
        else
            return *object = nullptr, E_NOINTERFACE;
        return S_OK;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT SaveObject() override { return E_NOTIMPL; }
    HRESULT GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT GetContainer(IOleContainer**) override { return E_NOTIMPL; }
    HRESULT ShowObject() override { return S_OK; }
    HRESULT OnShowWindow(BOOL) override { return S_OK; }
    HRESULT RequestNewObjectLayout() override { return E_NOTIMPL; }
    HRESULT OnControlInfoChanged() override { return S_OK; }
    HRESULT LockInPlaceActive(BOOL) override { return S_OK; }
    HRESULT GetExtendedControl(IDispatch**) override { return E_NOTIMPL; }
    HRESULT TransformCoords(POINT*, POINTF*, DWORD) override { return E_NOTIMPL; }
    HRESULT TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    HRESULT OnFocus(BOOL) override { return S_OK; }
    HRESULT ShowPropertyFrame() override {
        ++framesShown;
        return S_OK;
    }
};

TEST_F(ShellTest, PropertiesVerbAsksTheContainerFirst) {
    UiScript script({});
    SiteWithFrame site;
    com::ComPtr<IOleObject> control = module_.Create<IOleObject>(kControlClsid, IID_IOleObject);
    ASSERT_EQ(control->SetClientSite(&site), S_OK);
    ASSERT_EQ(control->DoVerb(1, nullptr, nullptr, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(site.framesShown, 1);
    EXPECT_TRUE(script.Transcript().empty());
    EXPECT_EQ(control->SetClientSite(nullptr), S_OK);
}

// ---- identities, resources, class objects ----

TEST_F(ShellTest, ControlIdentitiesThroughIOleObject) {
    com::ComPtr<IOleObject> control = module_.Create<IOleObject>(kControlClsid, IID_IOleObject);
    ASSERT_TRUE(control);
    CLSID clsid{};
    DWORD misc = 0;
    ASSERT_EQ(control->GetUserClassID(&clsid), S_OK);
    EXPECT_EQ(GuidToString(clsid), GuidToString(kControlClsid));
    ASSERT_EQ(control->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
    EXPECT_EQ(misc, 0x00020191u);
    EXPECT_EQ(ControlOf(control.get())->GetRuntimeClass()->m_lpszClassName, std::string("CSigningCtrl"));
    EXPECT_EQ(control->DoVerb(2, nullptr, nullptr, 0, nullptr, nullptr), OLEOBJ_S_INVALIDVERB);
}

TEST_F(ShellTest, ResourcesStringsImagesAndVersionBlock) {
    const framework::ResourceTable& r = module_.Resources();
    const std::pair<UINT, const char*> strings[] = {{1, "Signing Control"}, {2, "Signing Property Page"}, {200, "General"}};
    for (const auto& [id, text] : strings) EXPECT_STREQ(framework::FindString(r, id), text) << id;

    framework::Image image;
    const framework::ImageResource* bitmap = framework::FindBitmap(r, 1);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(framework::Decode(*bitmap, &image));
    EXPECT_EQ(std::make_pair(image.Width(), image.Height()), std::make_pair(16, 15));
    const framework::IconResource* icon = framework::FindIcon(r, 1);
    ASSERT_NE(icon, nullptr);
    std::vector<int> sizes;
    for (const framework::ImageResource& i : icon->images) {
        ASSERT_TRUE(framework::Decode(i, &image));
        ASSERT_EQ(image.Width(), image.Height());
        sizes.push_back(image.Width());
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));

    const std::pair<const char*, const char*> version[] = {
        {"FileDescription", "Signing ActiveX Control Module"}, {"ProductName", "Signing ActiveX Control Module"},
        {"InternalName", "Signing"},  {"OriginalFilename", "Signing.OCX"},
        {"FileVersion", "1, 0, 0, 1"}, {"ProductVersion", "1, 0, 0, 1"},
        {"LegalTrademarks", ""},      {"OLESelfRegister", ""},
    };
    for (const auto& [name, value] : version) EXPECT_STREQ(framework::FindVersionString(r, name), value) << name;
    ASSERT_NE(r.version, nullptr);
    EXPECT_EQ(r.version->language, 0x0409);
    EXPECT_EQ(r.version->codePage, 0x04B0);
    EXPECT_EQ(std::vector<WORD>(r.version->fileVersion, r.version->fileVersion + 4), (std::vector<WORD>{1, 0, 0, 1}));
    for (int dialog : {1, 200, 201}) EXPECT_NE(framework::FindDialog(r, dialog), nullptr) << dialog;
}

TEST_F(ShellTest, ClassObjectsAndUnloading) {
    com::ComPtr<IClassFactory> factory;
    EXPECT_EQ(module_.GetClassObject(MakeGuid("{00000000-0000-0000-0000-000000000001}"), IID_IClassFactory,
                                     factory.put_void()),
              CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(module_.CanUnloadNow(), S_OK);
    {
        com::ComPtr<IUnknown> page = module_.Create<IUnknown>(kPageClsid, IID_IUnknown);
        com::ComPtr<IUnknown> control = module_.Create<IUnknown>(kControlClsid, IID_IUnknown);
        EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
    ASSERT_EQ(module_.GetClassObject(kControlClsid, IID_IClassFactory, factory.put_void()), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
    com::ComPtr<IUnknown> refused;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, refused.put_void()), E_NOINTERFACE);
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace testing_support
