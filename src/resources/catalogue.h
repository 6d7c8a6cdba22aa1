// The product catalogue: tag strings, component names, file sets and other product data, each spelled
// once here and used everywhere.
#pragma once
