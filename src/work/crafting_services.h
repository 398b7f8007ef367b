// What the item catalogue and the item makers ask of crafting and cooking:
// the titles of requirement types and putting goods into a container. The
// crafting requirements and the food containers are still to come; until
// then each is a named stub (see each).
#pragma once

// The title of a requirement type: the four axe kinds 100 "Broad axe",
// 101 "Carving axe", 102 "Woodsman's axe" and 104 "Splitting axe"; every
// other code "A specific item" until the requirement table exists.
const char* requirement_type_name(int code);

// Puts the object `product` into the container object `container_id`.
// Puts something into a container. With a contents kind (55 water, 69
// milk) the container is filled with that liquid: amount pounds added to
// what it already holds of it, up to its capacity (0: to capacity); the
// answer is the filled record's id, whose `contents` names the empty
// container. Without a kind, until cooking's containers exist, a minimal
// put-in: the container instance holds the product (its contents) and the
// product's weight, and the answer is 1; 0 when either id is not an
// object instance.
int Sailioi(int product, int container_id, int contents_kind, int amount);
