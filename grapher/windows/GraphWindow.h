#pragma once
// Placeholder until the graph window lands.
