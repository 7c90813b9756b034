// A folder the order does not know.
