#pragma once
// The real document with the real plug-ins, fed by the simulated receiver through the splitter,
// and what a view needs to be bound to it; for the tests and benchmarks of the drawing views.
#include <QImage>
#include <cstdint>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/view.h"
#include "platform/profile.h"
#include "tests/host/views/test_view_host.h"
#include "tests/tools/sim/sim_test_start.h"
#include "tools/sim/sim_receiver.h"

class SimulatedDocument {
public:
    // With more systems than GPS, the receiver's NMEA output alone, as a receiver of several
    // systems is mostly heard.
    explicit SimulatedDocument(SimSystems systems = kSimGpsOnly) : receiver(Config(systems)) {
        document.Plugins().RegisterWith(splitter);
    }

    // Epochs of the simulated receiver through the splitter and the document; the views are then
    // told to redraw everything.
    void Feed(int epochs) {
        for (int i = 0; i < epochs; ++i) {
            std::vector<uint8_t> out;
            receiver.NextEpoch(out);
            FeedStream(splitter, out.data(), out.size(),
                       [&](const FrameRecord& record) { document.ProcessRecord(record, true); });
        }
        document.ForceUpdate();
    }

    ViewContext Context() { return {document, colors, profile, host, ScreenDensity{96, 96}}; }
    bool HasPlugins() { return document.Plugins().RootOf(u"KVB") && document.Plugins().RootOf(u"NMEA"); }

    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;

private:
    static SimReceiverConfig Config(SimSystems systems) {
        SimReceiverConfig config;
        config.truth.startGpsMs = TestStartGpsMs();
        config.truth.trajectory.motion = SimMotion::Drive;
        config.truth.systems = systems;
        config.kvb = systems == kSimGpsOnly;
        return config;
    }

    CFrameSplitter splitter;
    CSimReceiver receiver;
};

// The widget as it paints itself.
inline QImage Rendered(QWidget& widget) { return widget.grab().toImage(); }
