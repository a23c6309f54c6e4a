#pragma once
// Registers every class that dial documents store, so that loading can create them by name.
class ClassRegistry;

void RegisterModelClasses(ClassRegistry& registry);
