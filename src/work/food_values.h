// What food is worth: the nutrition values of food objects and their
// scaling when food is cooked, dried or divided.
#pragma once

struct ObjectRecord;

// Divides the record's weight and full weight by the factor and multiplies
// its nutrition bytes (carbohydrate, fat, protein), its water and its price
// per pound by it. Not built yet: the record is unchanged.
void scale_food_object(ObjectRecord& record, float factor);
