#pragma once

// The class names by which the frame creates its views.
namespace view_class {

inline constexpr char16_t kMainFormSVInfo[] = u"CMainFormSVInfo";
inline constexpr char16_t kMainFormNAVInfo[] = u"CMainFormNAVInfo";
inline constexpr char16_t kWorldView[] = u"CWorldView";
inline constexpr char16_t kPacketConsoleView[] = u"CPacketConsoleView";
inline constexpr char16_t kBinaryConsoleView[] = u"CBinaryConsoleView";
inline constexpr char16_t kTextConsoleView[] = u"CTextConsoleView";
inline constexpr char16_t kMessageFormView[] = u"CMessageFormView";
inline constexpr char16_t kStatisticView[] = u"CStatisticView";
inline constexpr char16_t kDeviationMapView[] = u"CDeviationMapView";
inline constexpr char16_t kChartView[] = u"CChartView";
inline constexpr char16_t kMapView[] = u"CMapView";
inline constexpr char16_t kOPKUpdateView[] = u"COPKUpdateView";
inline constexpr char16_t kLogReadView[] = u"CLogReadView";
inline constexpr char16_t kConfigSaveView[] = u"CConfigSaveView";
inline constexpr char16_t kConfigLoadView[] = u"CConfigLoadView";
// Shown while the start-up view is not available, so that the window is never blank.
inline constexpr char16_t kPlaceholder[] = u"CPlaceholderView";

}  // namespace view_class
