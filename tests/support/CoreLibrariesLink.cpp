// The entry point of the link of every library without widgets; it runs
// nothing: the link is the check.
int main()
{
    return 0;
}
