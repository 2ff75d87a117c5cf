#include "drc/DrcServices.h"

#include "drc/DrcRules.h"

CDrcRules& IDrcServices::Rules() {
    static CDrcRules builtIn = [] {
        CDrcRules rules;
        rules.SetDefaults();
        return rules;
    }();
    return builtIn;
}
