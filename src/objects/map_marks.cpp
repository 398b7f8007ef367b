// Plant marks, timed work and food preparations.
#include "objects/map_marks.h"

#include <cmath>

#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_queries.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_ageing.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

constexpr int MINUTES_A_DAY = 1440;
constexpr double SMOKE_MINUTES_WHOLE = 960.0;  // a batch smoked this long keeps

// The hour of the day m minutes from now.
int hour_after(int minutes) { return ((Plr.hour + minutes / 60) % 24 + 24) % 24; }

void time_of_day_lower(int hour, char* out, size_t cap) {
    char name[40];
    time_of_day_name(hour, name);
    copy_text(out, cap, lower_case_copy(name));
}

// Minutes from now until the record's minute (negative when past).
long long minutes_until(const MapObject& o) { return (long long)o.expire_minute - Plr.total_minutes; }

}  // namespace

// ------------------------------------------------------------ plant marks

int add_plant_mark(int x, int y) {
    const int i = find_map_object(MK_PLANT_MARK, x, y);
    if (i >= 0) return i;
    clear_staging_object();
    map_object_staging.TYPE = MK_PLANT_MARK;
    map_object_staging.x = uint16_t(x);
    map_object_staging.y = uint16_t(y);
    map_object_staging.expire_minute = 0;
    map_object_staging.time_stamp = 0;
    return insert_map_object(-1);
}

int mark_plant_picked(int x, int y) {
    const int i = add_plant_mark(x, y);
    if (map_index_valid(i)) Data[i].subkind |= PLANT_MARK_PICKED;
    return i;
}

int is_plant_picked(int x, int y) {
    const int i = find_map_object(MK_PLANT_MARK, x, y);
    return i >= 0 && (Data[i].subkind & PLANT_MARK_PICKED) ? 1 : 0;
}

// ------------------------------------------------------------ timed work

int work_time_spent(int i) { return map_index_valid(i) ? Data[i].time_stamp : 0; }

int work_time_left(int i) { return map_index_valid(i) ? int(Data[i].expire_minute) - Data[i].time_stamp : 0; }

const char* remaining_time_phrase(int i) {
    char* out = next_ring_text();
    if (!map_index_valid(i)) return out;
    const long long m = minutes_until(Data[i]);
    const char* phrase = nullptr;
    if (m <= 9) phrase = "for a very little while";
    else if (m < 20) phrase = "for a little while";
    else if (m < 40) phrase = "for half an hour";
    else if (m < 70) phrase = "for an hour";
    else if (m < 90) phrase = "for over an hour";
    else if (m < 150) phrase = "for a few hours";
    else if (m < 240) phrase = "for several hours";
    if (phrase != nullptr) {
        copy_text(out, TEXT_RING_BYTES, phrase);
        return out;
    }
    char when[40];
    time_of_day_lower(hour_after(int(m % (7LL * MINUTES_A_DAY))), when, sizeof when);
    format_text(out, TEXT_RING_BYTES, "till %s", when);
    return out;
}

const char* ready_time_phrase(int i) {
    static char out[80];
    out[0] = 0;
    if (!map_index_valid(i)) return out;
    const MapObject& o = Data[i];
    if (o.expire_day == 0) {
        copy_text(out, "some day");
    } else {
        const int days = int(o.expire_day) - Plr.days_played;
        if (days == 1) {
            copy_text(out, "tomorrow");
            return out;
        }
        if (days == 0) copy_text(out, "today");
        else if (days < 0) copy_text(out, "shortly");
        else format_text(out, sizeof out, "after %d days", days);
    }
    if (o.expire_minute == 0) return out;
    const long long m = minutes_until(o);
    if (m <= 14) copy_text(out, "shortly");
    else if (m <= 39) copy_text(out, "in half an hour");
    else if (m <= 69) copy_text(out, "in an hour");
    else if (m < 121) copy_text(out, "in a few hours");
    else if (m < 1301) {
        char when[40];
        time_of_day_lower(hour_after(int(m)), when, sizeof when);
        format_text(out, sizeof out, "by %s", when);
    } else if (m / MINUTES_A_DAY < 2) copy_text(out, "tomorrow");
    else format_text(out, sizeof out, "after %lld days", m / MINUTES_A_DAY);
    return out;
}

// ------------------------------------------------------------ preparations

int is_preparation_done(int i) {
    if (!map_index_valid(i)) return 0;
    const MapObject& o = Data[i];
    if (o.expire_day != 0 && Plr.days_played >= o.expire_day) return 1;
    if (o.expire_minute == 0 || minutes_until(o) > 0) return 0;
    // A tender who still stands here must be awake and able to finish it;
    // one who is gone leaves it to finish by itself.
    if (o.ref != 0) {
        const int slot = cre_by_sotu(uint32_t(uint16_t(o.ref)));
        if (cre_slot_valid(slot) && (Cre[slot].move_mode == MOVE_MODE_ASLEEP || cre_is_incapacitated(slot)))
            return 0;
    }
    return 1;
}

int finish_food_preparation(int i) {
    if (!map_index_valid(i)) return 0;
    MapObject& o = Data[i];
    o.TYPE = MK_ITEM;
    const int id = o.DATA;
    if (obj_id_is_valid(id)) {
        ObjectRecord r;
        if (obj_record(id, r).item_class != ITEM_FOOD) o.DATA = obj_reveal_quality(id);
    }
    if (o.subkind != MAP_SUBKIND_SMOKING) return o.DATA;

    // A smoking batch: what had too little smoke spoils.
    int spoiled = o.DATA;
    ObjectRecord out;
    if (obj_decay_record(o.DATA, DECAY_SPOIL, 0, out, 0) != DECAY_UNCHANGED) {
        const int stored = obj_store_record(out);
        if (stored != 0) spoiled = stored;
    }
    const double s = o.day_stamp / SMOKE_MINUTES_WHOLE;
    o.subkind = 0;
    o.day_stamp = 0;
    if (s < 0.5) {
        o.DATA = spoiled;
    } else if (s <= 1.0) {
        const int keeps_below = int(std::ceil(s * 100.0 - 1e-9));
        int bad = 0;
        for (int piece = 0; piece < o.amount; ++piece) {
            const int roll = random_below(100);
            if (roll > keeps_below) ++bad;
        }
        if (bad > 0 && bad >= o.amount) {
            o.DATA = spoiled;
        } else if (bad > 0 && spoiled != o.DATA) {
            const int x = o.x, y = o.y;
            // The spoiled pieces lie beside the good ones; without room for
            // them they stay in the batch.
            if (put_object_on_map(MK_ITEM, x, y, spoiled, bad) >= 0) reduce_map_object(i, bad);
        }
    }
    return Data[i].DATA;
}

int report_preparing_at(int x, int y) {
    int n = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_PREPARATION || o.x != x || o.y != y) continue;
        ++n;
        msg_item = o.DATA;
        char text[CATALOGUE_TEXT_BYTES];
        char phrase[80];
        copy_text(phrase, ready_time_phrase(i));
        fill_message_format(text, sizeof text, message_by_key("CANT_PICK_PREPARING"), {phrase});
        show_message(text);
    }
    return n;
}
