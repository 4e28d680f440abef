#pragma once
// Kelvara's enumerations (stored in its files by ordinal) and the two callbacks through
// which the core talks to whoever drives it (survey form, command-line tool, tests).

#include <functional>
#include <string>

namespace kelvara {

enum class TProgramState : int {
    psEmpty = 0,
    psManualMetric = 1,
    psManualImperial = 2,
    psAutoMetric = 3,
    psAutoImperial = 4,
};

enum class TPerpCorrection : int { pcManual = 0, pcNoDeflection = 1, pcDeflection = 2 };
enum class TShipShape : int { ssFinerShape = 0, ssBoxShape = 1 };
enum class TMctType : int { mtSantimeters = 0, mtMeters = 1, mtInches = 2, mtFeet = 3 };
enum class TLcfType : int { ltFromAftPerp = 0, ltFromMidships = 1 };

enum class TMessageType { Information, Error };

// Shows a message to the user. The text is the system's own, line breaks included
// ("\n\r" in the draught-table messages); the receiver decides how to show it.
using TNotifier = std::function<void(TMessageType type, const std::string& text)>;

// Called with true when a recalculation marks the document as changed.
using TSetDirty = std::function<void(bool dirty)>;

inline bool IsMetricState(TProgramState s)
{
    return s == TProgramState::psManualMetric || s == TProgramState::psAutoMetric;
}

inline bool IsManualState(TProgramState s)
{
    return s == TProgramState::psManualMetric || s == TProgramState::psManualImperial;
}

inline bool IsAutoState(TProgramState s)
{
    return s == TProgramState::psAutoMetric || s == TProgramState::psAutoImperial;
}

} // namespace kelvara
