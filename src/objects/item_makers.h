// Items that are not taken from the catalogue but made whole: jewellery and
// combs, herbs, charms and ritual objects that quests hand out, the strip of
// garment and the embroidered shirt, the parts of animals and plants
// (feathers, yarn, bark, saplings, fibre, antlers, bones, skulls, teeth,
// eggs), packing goods into a new bag, box or basket, and two lookups of
// item types.
//
// Every maker starts from a cleared record, fills the caller's out record
// and returns it; the caller stores it. A maker that has nothing to make
// (a skull of an animal without one, yarn of no length) leaves the record
// cleared, item_class 0, which callers take as "nothing".
#pragma once

#include "creatures/creature_record.h"
#include "objects/object_store.h"

// Special-item codes in ObjectRecord::MAGIC; a non-zero code keeps the
// instance through object maintenance.
constexpr uint8_t MAGIC_EMBROIDERED_SHIRT = 2;
constexpr uint8_t MAGIC_HARE_PAW = 10;
constexpr uint8_t MAGIC_WEDGE_OF_UKKO = 15;
constexpr uint8_t MAGIC_GARMENT_STRIP = 16;
constexpr uint8_t MAGIC_BEAR_TOOTH = 17;

// ------------------------------------------------------------ special items

// A herb or flower food of that name (also its skill), 200 to 299 grams.
ObjectRecord& make_herb_item(const char* name, ObjectRecord& out);
// The "Hare's paw" charm; a non-empty name replaces the charm's own.
ObjectRecord& make_hare_paw_item(const char* name, ObjectRecord& out);
// The "Wedge of Ukko" weapon.
ObjectRecord& make_wedge_item(ObjectRecord& out);
// The "Strip of garment" (a bandage); a non-empty name replaces its own.
ObjectRecord& make_garment_strip_item(const char* name, ObjectRecord& out);
// The bronze brooch; with "[small]" in the flag text the small brooch.
ObjectRecord& make_brooch_item(const char* flags, ObjectRecord& out);
// A bronze comb and a bronze pendant: "bronze <ornament> comb" or, without
// an ornament word, "bronze comb"; the price as the PRICE tag takes it.
ObjectRecord& make_comb_item(const char* ornament, int price, ObjectRecord& out);
ObjectRecord& make_pendant_item(const char* ornament, int price, ObjectRecord& out);
// The nettle shirt of the catalogue, embroidered: better made, of a known
// grade 4 or 5, dearer. Cleared when the catalogue has no "Nettle shirt".
ObjectRecord& make_embroidered_shirt(ObjectRecord& out);

// ------------------------------------------------------------ packed goods
// Each stores a new container (never one shared with other instances) and
// puts the goods into it: the answer is the filled record (the goods whose
// `contents` names the empty container); 0 when the catalogue has no such
// container or the object table is full.

// A bag of `pounds` of the goods; 0 or more than the bag holds fills it.
int obj_put_in_new_bag(float pounds, ObjectRecord goods);
// The goods as they are in a new birch-bark box, or a new basket.
int obj_put_in_new_box(ObjectRecord goods);
int obj_put_in_new_basket(ObjectRecord goods);

// ------------------------------------------------------------ lookups

// The item type (0..399) whose kind is k when exactly one has it; -1 when
// none or several do.
int obj_unique_template_of_kind(int k);
// The first plant item type (class 11) named exactly so (case counts); -1.
int obj_plant_template_by_name(const char* name);

// ------------------------------------------------------------ animal and plant parts

// A feather of the bird: "<name> feather"; its extra_value is the bird's
// identity (sotu), which the feather rite reads.
ObjectRecord& make_feather_item(const CreatureRecord& bird, ObjectRecord& out);
// Yarn of the plant's product (its skill field; "FLAX" gives "linen yarn"),
// `feet` long: 1 to 255 (longer is made as 255: the caller makes several);
// 0 or less makes nothing.
ObjectRecord& make_yarn_item(int feet, ObjectRecord& out, const ObjectRecord& plant);
// A birch-bark strip `feet` long (a ball), with the same bounds as yarn.
ObjectRecord& make_bark_strip_item(int feet, ObjectRecord& out);
// A sapling and a sheet of bark of the named tree.
ObjectRecord& make_sapling_item(const char* tree, ObjectRecord& out);
ObjectRecord& make_bark_item(const char* tree, ObjectRecord& out);
// A bundle of the plant's fibre.
ObjectRecord& make_fibre_item(const ObjectRecord& plant, ObjectRecord& out);
// An antler of an elk (kinds 606, 607, 660) or a reindeer (619, 620); any
// other kind gives an unnamed antler of no weight.
ObjectRecord& make_antler_item(ObjectRecord& out, const CreatureRecord& animal);
// A bone by the animal's kind, or by its base weight (kilograms); birds and
// small animals give none.
ObjectRecord& make_bone_item(const CreatureRecord& animal, ObjectRecord& out);
// The skull of a bear (605) or a seal (650, 651), with four teeth; other
// animals give none. It weighs the animal's weight / 50, taken as pounds.
ObjectRecord& make_skull_item(const CreatureRecord& animal, ObjectRecord& out);
// A tooth of the skull; none when the skull has no teeth left. A bear's
// tooth is a charm (MAGIC_BEAR_TOOTH).
ObjectRecord& make_tooth_item(const ObjectRecord& skull, ObjectRecord& out);
// An egg of the bird ("Bird egg" when it has no name), its weight by the
// bird's base weight.
ObjectRecord& make_egg_item(const CreatureRecord& bird, ObjectRecord& out);

// Applies an armour-coverage tag ("[ARMOUR_COVERAGE:calf knee foot]").
void apply_armour_coverage(const char* tag_text, ObjectRecord& record);
