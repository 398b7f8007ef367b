// Cooking and food containers. Not built yet: neutral answers.
#include "work/cooking.h"

#include "base/stubs.h"

int Kokkaa(int method, int item, int mode) {
    (void)method;
    (void)item;
    (void)mode;
    KSM_STUB("Kokkaa");
    return -1;
}

int cook_by_recipe(const char* recipe_name) {
    (void)recipe_name;
    KSM_STUB("cook_by_recipe");
    return -1;
}
