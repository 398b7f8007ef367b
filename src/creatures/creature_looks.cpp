#include "creatures/creature_looks.h"

#include "base/platform.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "game/player.h"

namespace {

const CreatureRecord* rec(int creature) { return cre_slot_valid(creature) ? &Cre[creature] : nullptr; }

// The picture of a picture type code, for the records that have no
// picture key of their own.
const char* picture_of_type(int code, int home_culture) {
    switch (code) {
    case 1003: return "npc-njwar";
    case 1004: return "npc-ftrader";
    case 1005: return home_culture == 11 ? "npc-njman" : "npc-ecraftm";
    case 1006: return "npc-eadv";
    case 1007: return home_culture == 11 ? "npc-njboy" : "npc-eboy";
    case 1008: return "npc-ewoman";
    case 1009: return "npc-eman";
    case 1010: return "npc-ewdsman";
    case 1011: return "npc-eoldman";
    case 1012: return "npc-esage";
    case 1013: return "npc-wcraftm";
    case 1014: return "npc-wadv";
    case 1015: return "npc-wboy";
    case 1016: return "npc-wwoman";
    case 1017: return "npc-wman";
    case 1018: return "npc-wwdsman";
    case 1019: return "npc-woldman";
    case 1020: return "npc-wsage";
    case 1021: case 1025: return "npc-nman";
    case 1022: return "npc-nadv";
    case 1023: return "npc-nboy";
    case 1024: return "npc-nwoman";
    case 1026: return "npc-nwdsman";
    case 1027: return "npc-noldman";
    case 1028: return "npc-nsage";
    case 1029: case 1030: return "av-cow";
    case 1031: case 1032: return "av-bull";
    case 1033: case 1034: return "av-dog";
    case 1035: return "av-wolf";
    case 1036: case 1037: return "av-sheep";
    case 1038: case 1039: return "av-pig";
    case 1040: return "av-lynx";
    case 1041: return "av-fox";
    case 1042: return "av-afox";
    case 1043: return "av-glutton";
    case 1044: return "av-srodent";
    case 1045: return "av-badger";
    case 1046: return "av-snake";
    case 1049: return "av-bear";
    case 1050: return "av-bullelk";
    case 1051: return "av-elk";
    case 1052: return "av-reindeer";
    case 1053: return "av-squirrel";
    case 1054: return "av-bgrouse";
    case 1055: return "av-beaver";
    case 1056: return "av-hare";
    case 1057: return "av-swan";
    case 1058: return "av-mallard";
    case 1059: return "av-tduck";
    case 1060: return "av-capcail";
    case 1061: return "npc-njwoman";
    case 1062: return "av-hgrouse";
    case 1063: return "av-raven";
    case 1064: return "av-wgrouse";
    case 1065: return "av-goldeye";
    case 1066: return "av-goshawk";
    case 1067: return "av-eowl";
    case 1068: return "av-gseal";
    case 1069: return "av-kuikka";
    case 1070: return "av-rseal";
    default: return "";
    }
}

}  // namespace

// A record's own picture key, else the picture of its type code.
static const char* picture_of(const CreatureRecord& c) {
    if (c.picture_key[0] != 0) {
        char key[sizeof c.picture_key + 1];
        copy_field(key, sizeof key, c.picture_key, sizeof c.picture_key);
        return ring_copy(key);
    }
    return picture_of_type(c.type_code, c.home_culture);
}

const char* cre_avatar_name(int creature) {
    const CreatureRecord* c = rec(creature);
    return c ? picture_of(*c) : "";
}

const char* world_entry_picture(int data) {
    if (data >= 0 && data < CRE_TEMPLATE_COUNT) return picture_of(CreTemplates[data]);
    if (data < CRE_REF_BASE) return "";
    const std::vector<CreatureRecord>& file = crs_records();
    const size_t index = size_t(data - CRE_REF_BASE);
    return index < file.size() ? picture_of(file[index]) : "";
}

// The map view reads the move mode as what the creature is doing.
int creature_activity(int creature) {
    const CreatureRecord* c = rec(creature);
    return c ? c->move_mode : 0;
}
int creature_altitude(int creature) {
    const CreatureRecord* c = rec(creature);
    return c ? c->air_state : 0;
}
int creature_body_state(int creature) {
    const CreatureRecord* c = rec(creature);
    return c ? c->body_state : 0;
}
// The young are drawn by their size: their weight against the kind's
// average, 25 being full grown.
int creature_drawn_by_size(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && (c->sex_age & SEX_YOUNG) && c->base_weight > 0.0f ? 1 : 0;
}
int creature_size_value(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || c->base_weight <= 0.0f) return 25;
    const float v = 25.0f * c->weight / c->base_weight;
    return v >= 25.0f ? 25 : v < 0.0f ? 0 : int(v);
}
// The coat of the tinted species is the record's species byte.
int creature_coat(int creature) {
    const CreatureRecord* c = rec(creature);
    return c ? c->species_byte : 0;
}
// A creature that hides waits still where it is: nothing in its record
// hides its square from view.
int creature_is_hidden(int creature) { return 0; }
int player_is_hiding() { return Plr.hiding ? 1 : 0; }
int player_is_running() { return Plr.running ? 1 : 0; }
