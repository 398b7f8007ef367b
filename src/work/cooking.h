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
// Putting goods into a container item: work/crafting_services.h.
