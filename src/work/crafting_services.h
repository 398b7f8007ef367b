// What the item catalogue and the item makers ask of crafting and cooking:
// the titles of requirement types and putting goods into a container. The
// crafting requirements and the food containers are still to come; until
// then each is a named stub (see each).
#pragma once

// The title of a requirement type: the four axe kinds 100 "Broad axe",
// 101 "Carving axe", 102 "Woodsman's axe" and 104 "Splitting axe"; every
// other code "A specific item" until the requirement table exists.
const char* requirement_type_name(int code);

// Puts something into a container; the answer is the filled record's id,
// whose `contents` names the empty container (0 when an id is no object
// instance). With a contents kind (55 water, 69 milk) the container is
// filled with that liquid: amount pounds added to what it already holds of
// it, up to its capacity (0: to capacity). Without a kind the product's own
// record goes in (its weight times the amount when that is 2 or more),
// added to goods of the same name already in it, up to the capacity. The
// container may be given empty or as its filled record.
int Sailioi(int product, int container_id, int contents_kind, int amount);
