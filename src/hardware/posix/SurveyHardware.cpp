#include "hardware/HardwareSurvey.h"

// Neither WMI nor Direct3D 9 exists here; the survey reports failure and Auto-detect then
// changes nothing.
PerformanceLevel SurveyHardware(void*, HardwareSurvey&) {
    return 0;
}
