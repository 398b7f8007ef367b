// Cooking, preserving and food containers: cooking by a method or by a
// recipe, and putting goods into a container item. Not built yet: nothing
// is cooked and nothing is put into a container (see each).
#pragma once

// Cooks by a method, or into a predefined food when an item is given;
// answers the new object's id or -1. Not built yet: -1.
int Kokkaa(int method, int item, int mode);
// Cooks a recipe of the cookery data; the new object's id or -1. Not built
// yet: -1.
int cook_by_recipe(const char* recipe_name);
// Puts the product into the container item of the given id (with a
// contents kind it becomes a container of that kind) and answers the
// result. Not built yet: 0, the item stays as it is.
int Sailioi(int product, int object_id, int contents_kind, int amount);
